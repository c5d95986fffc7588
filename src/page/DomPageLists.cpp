// DomPage: option lists of SELECT elements and the rows and cells of tables,
// following the browser's collections (options inside OPTGROUPs count; table
// rows run head, bodies and direct rows, foot).
#include <cstdlib>
#include <string>

#include "page/DomPage.h"

namespace zolt {

using dom::Node;

namespace {

bool isAsciiSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

// An option's text: its text content with white space stripped and collapsed.
std::string optionLabel(const Node& option) {
    std::string out;
    bool pendingSpace = false;
    for (char c : option.textContent()) {
        if (isAsciiSpace(c)) {
            pendingSpace = !out.empty();
        } else {
            if (pendingSpace) out += ' ';
            pendingSpace = false;
            out += c;
        }
    }
    return out;
}

bool isSelected(const Node& option) {
    return option.selectedness >= 0 ? option.selectedness == 1 : option.hasAttr("selected");
}

// A list box (multiple, or more than one visible row) may have no selection;
// a drop-down always shows one when it has options.
bool isListBox(const Node& select) {
    if (select.hasAttr("multiple")) return true;
    std::optional<std::string> size = select.attr("size");
    return size && std::atoi(size->c_str()) > 1;
}

std::string indexText(int index) { return std::to_string(index); }

}  // namespace

// --- option lists

std::vector<Node*> DomPage::options(Element list, Node** select) const {
    Node& sel = elementNamed(list, "select", "a list");
    if (select) *select = &sel;
    std::vector<Node*> out;
    for (auto& c : sel.children) {
        if (c->isHtml("option")) {
            out.push_back(c.get());
        } else if (c->isHtml("optgroup")) {
            for (auto& g : c->children) {
                if (g->isHtml("option")) out.push_back(g.get());
            }
        }
    }
    return out;
}

Node& DomPage::option(Element list, int index) const {
    std::vector<Node*> opts = options(list);
    if (index < 0 || index >= static_cast<int>(opts.size())) {
        throw PageError("the list has no option " + indexText(index) + " (it has " +
                        std::to_string(opts.size()) + ")");
    }
    return *opts[static_cast<std::size_t>(index)];
}

int DomPage::optionCount(Element list) { return static_cast<int>(options(list).size()); }

void DomPage::setOptionCount(Element list, int count) {
    if (count < 0) throw PageError("an option list cannot hold " + indexText(count) + " options");
    Node* select = nullptr;
    std::vector<Node*> opts = options(list, &select);
    select->noSelection = false;
    for (std::size_t i = opts.size(); i > static_cast<std::size_t>(count); --i) {
        discard(opts[i - 1]->detach());
    }
    for (std::size_t i = opts.size(); i < static_cast<std::size_t>(count); ++i) {
        inserted(*select->appendChild(Node::makeElement("option")));
    }
}

std::string DomPage::optionText(Element list, int index) { return optionLabel(option(list, index)); }

std::string DomPage::optionValue(Element list, int index) {
    Node& opt = option(list, index);
    std::optional<std::string> value = opt.attr("value");
    return value ? *value : optionLabel(opt);
}

int DomPage::selectedIndex(Element list) {
    Node* select = nullptr;
    std::vector<Node*> opts = options(list, &select);
    const bool listBox = isListBox(*select);
    int found = -1;
    for (int i = 0; i < static_cast<int>(opts.size()); ++i) {
        if (!isSelected(*opts[static_cast<std::size_t>(i)])) continue;
        found = i;
        if (listBox) break;  // a list box reports its first; a drop-down keeps the last
    }
    if (found < 0 && !listBox && !select->noSelection && !opts.empty()) found = 0;
    return found;
}

void DomPage::setSelectedIndex(Element list, int index) {
    Node* select = nullptr;
    std::vector<Node*> opts = options(list, &select);
    bool any = false;
    for (int i = 0; i < static_cast<int>(opts.size()); ++i) {
        opts[static_cast<std::size_t>(i)]->selectedness = i == index ? 1 : 0;
        any = any || i == index;
    }
    select->noSelection = !any;
}

void DomPage::addOption(Element list, const std::string& text, const std::string& value, int before) {
    Node* select = nullptr;
    std::vector<Node*> opts = options(list, &select);
    auto opt = Node::makeElement("option");
    opt->setAttr("value", value);
    if (!text.empty()) opt->appendChild(Node::makeText(text));
    select->noSelection = false;
    Node* placed;
    if (before >= 0 && before < static_cast<int>(opts.size())) {
        Node* ref = opts[static_cast<std::size_t>(before)];
        placed = ref->parent->insertChild(ref->indexInParent(), std::move(opt));
    } else {
        placed = select->appendChild(std::move(opt));
    }
    inserted(*placed);
}

void DomPage::removeOption(Element list, int index) {
    Node* select = nullptr;
    std::vector<Node*> opts = options(list, &select);
    if (index < 0 || index >= static_cast<int>(opts.size())) return;  // as the browser: nothing
    select->noSelection = false;
    discard(opts[static_cast<std::size_t>(index)]->detach());
}

void DomPage::setOptionStyle(Element list, int index, const std::string& property,
                             const std::string& value) {
    setStyleValue(handleOf(option(list, index)), property, value);
}

// --- tables

std::vector<Node*> DomPage::tableRows(Node& table) const {
    std::vector<Node*> head, middle, foot;
    auto rowsOf = [](Node& section, std::vector<Node*>& into) {
        for (auto& r : section.children) {
            if (r->isHtml("tr")) into.push_back(r.get());
        }
    };
    for (auto& c : table.children) {
        if (c->isHtml("thead")) rowsOf(*c, head);
        else if (c->isHtml("tfoot")) rowsOf(*c, foot);
        else if (c->isHtml("tbody")) rowsOf(*c, middle);
        else if (c->isHtml("tr")) middle.push_back(c.get());
    }
    head.insert(head.end(), middle.begin(), middle.end());
    head.insert(head.end(), foot.begin(), foot.end());
    return head;
}

std::vector<Node*> DomPage::rowCells(Node& row) const {
    std::vector<Node*> out;
    for (auto& c : row.children) {
        if (c->isHtml("td") || c->isHtml("th")) out.push_back(c.get());
    }
    return out;
}

std::vector<Element> DomPage::rows(Element table) {
    return handlesOf(tableRows(elementNamed(table, "table", "a table")));
}

std::vector<Element> DomPage::cells(Element row) {
    return handlesOf(rowCells(elementNamed(row, "tr", "a table row")));
}

// insertRow and insertCell check the index alike, as the browser does; a row
// also needs a table body to go into, which keeps them two routines.
Element DomPage::insertRow(Element tableHandle, int index) {
    Node& table = elementNamed(tableHandle, "table", "a table");
    std::vector<Node*> all = tableRows(table);
    const int count = static_cast<int>(all.size());
    if (index < -1 || index > count) {
        throw PageError("a row cannot be inserted at " + indexText(index) + " in a table of " +
                        std::to_string(count) + " rows");
    }
    auto row = Node::makeElement("tr");
    Node* placed;
    if (count == 0) {
        Node* lastBody = nullptr;
        for (auto& c : table.children) {
            if (c->isHtml("tbody")) lastBody = c.get();
        }
        if (lastBody) {
            placed = lastBody->appendChild(std::move(row));
        } else {
            auto tbody = Node::makeElement("tbody");
            placed = tbody->appendChild(std::move(row));
            table.appendChild(std::move(tbody));
        }
    } else if (index == -1 || index == count) {
        placed = all.back()->parent->appendChild(std::move(row));
    } else {
        Node* ref = all[static_cast<std::size_t>(index)];
        placed = ref->parent->insertChild(ref->indexInParent(), std::move(row));
    }
    inserted(*placed);
    return handleOf(*placed);
}

// Deletes the index-th of `all` (the last for -1; nothing when there is none).
void DomPage::deleteNth(const std::vector<Node*>& all, int index, std::string_view what) {
    const int count = static_cast<int>(all.size());
    if (index == -1) {
        if (count) discard(all.back()->detach());
        return;
    }
    if (index < 0 || index >= count) {
        throw PageError("there is no " + std::string(what) + " " + indexText(index) + " (there are " +
                        std::to_string(count) + ")");
    }
    discard(all[static_cast<std::size_t>(index)]->detach());
}

void DomPage::deleteRow(Element table, int index) {
    deleteNth(tableRows(elementNamed(table, "table", "a table")), index, "row");
}

Element DomPage::insertCell(Element rowHandle, int index) {
    Node& row = elementNamed(rowHandle, "tr", "a table row");
    std::vector<Node*> all = rowCells(row);
    const int count = static_cast<int>(all.size());
    if (index < -1 || index > count) {
        throw PageError("a cell cannot be inserted at " + indexText(index) + " in a row of " +
                        std::to_string(count) + " cells");
    }
    auto cell = Node::makeElement("td");
    Node* placed;
    if (index == -1 || index == count) {
        placed = row.appendChild(std::move(cell));
    } else {
        Node* ref = all[static_cast<std::size_t>(index)];
        placed = row.insertChild(ref->indexInParent(), std::move(cell));
    }
    inserted(*placed);
    return handleOf(*placed);
}

void DomPage::deleteCell(Element row, int index) {
    deleteNth(rowCells(elementNamed(row, "tr", "a table row")), index, "cell");
}

// The headless page keeps a field's checked state in its markup.
bool DomPage::fieldChecked(Element field) { return getAttribute(field, "checked").has_value(); }

void DomPage::setFieldChecked(Element field, bool checked) {
    if (checked) {
        setAttribute(field, "checked", "");
    } else {
        removeAttribute(field, "checked");
    }
}

}  // namespace zolt

namespace zolt {

std::string DomPage::fieldValue(Element field) {
    dom::Node& el = element(field);
    if (el.isHtml("textarea")) return el.textContent();
    if (el.isHtml("select")) {
        int i = selectedIndex(field);
        return i < 0 ? std::string() : optionValue(field, i);
    }
    return getAttribute(field, "value").value_or("");
}

void DomPage::setFieldValue(Element field, const std::string& value) {
    dom::Node& el = element(field);
    if (el.isHtml("textarea")) {
        setInnerText(field, value);
    } else if (el.isHtml("select")) {
        int chosen = -1;
        for (int i = 0, n = optionCount(field); i < n; ++i) {
            if (optionValue(field, i) == value) {
                chosen = i;
                break;
            }
        }
        setSelectedIndex(field, chosen);
    } else {
        setAttribute(field, "value", value);
    }
}

}  // namespace zolt
