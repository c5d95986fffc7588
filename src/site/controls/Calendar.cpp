// Calendar: header and date rows, month and year lists that redraw the
// built calendar, and the day rows of its start month.
#include "site/CalendarText.h"
#include "site/ControlMarkup.h"
#include "site/Markup.h"

namespace zolt {

namespace {

// The year at position `index` of the calendar's own year list.
int startYear(Page& p, Element cal, int index) {
    if (Element list = findInside(p, cal, "Year"); list && index >= 0 && index < p.optionCount(list)) {
        if (long year = parseLeadingInt(p.optionValue(list, index)); year > 0) return static_cast<int>(year);
    }
    return 2000 + std::max(index, 0);
}

// Writes the first of the calendar's start month, in its date format, into
// its date cell, as the designer does when the format is chosen.
void formatStartDate(BuildContext& ctx, Element cal, Element cell, int month, int year) {
    Page& p = ctx.page;
    std::string formatStyle = attr(p, cell, "FormatStyle");
    if (formatStyle.empty()) return;
    int format = static_cast<int>(parseLeadingInt(attr(p, cal, "DateFormatStyleIndex")));
    ctx.undo.push_back([&p, cell, html = p.innerHTML(cell)] { p.setInnerHTML(cell, html); });
    std::string text = formatDateText(format, {year, month, 1});
    bool changed = p.innerHTML(cell) != escapeText(text);
    p.setAttribute(cell, "FormatStyle", formatStyle);
    p.setInnerText(cell, text);
    if (ctx.mirror && changed) ctx.mirror(cell, "", text);
}

Element calendarPart(Page& p, Element cal, const std::string& prefix, const std::string& id) {
    Element part = findInside(p, cal, prefix + id);
    if (!part) throw BuildError("The calendar " + id + " has no element " + prefix + id + ".");
    return part;
}

}  // namespace

std::string CalendarMarkup(BuildContext& ctx, Element e, std::string& code) {
    Page& p = ctx.page;
    ctx.wroteCalendars = true;
    std::string id = attr(p, e, "ID");
    ctx.undo.push_back([&p, e, old = p.getAttribute(e, "C_onclick")] {
        if (old) p.setAttribute(e, "C_onclick", *old);
        else p.removeAttribute(e, "C_onclick");
    });
    std::string handler = CalendarClickHandler(id, attr(p, e, "Dev_Click_Func"));
    bool changed = p.getAttribute(e, "C_onclick") != handler;
    p.setAttribute(e, "C_onclick", handler);
    if (ctx.mirror && changed) ctx.mirror(e, "C_onclick", handler);

    std::string out = "<TABLE ID=" + id + " Name=" + attr(p, e, "Name") + " style='position:absolute;left:" +
                      style(p, e, "left") + ";top:" + style(p, e, "top") + ";width:" + style(p, e, "width") +
                      "; height:" + style(p, e, "height") + ";border-style:" + style(p, e, "border-style") +
                      ";border-width:" + style(p, e, "border-width") + "; border-color:" +
                      style(p, e, "border-color") + ";font-family:" + style(p, e, "font-family") + ";font-size:" +
                      style(p, e, "font-size") + "; background-color:" + style(p, e, "background-color") + "' " +
                      eventFragment(ctx, e, code) + " >";

    int monthIndex = static_cast<int>(parseLeadingInt(attr(p, e, "StartMonthIndex")));
    int month = monthIndex >= 1 && monthIndex <= 12 ? monthIndex : ctx.today.month;
    int yearIndex = static_cast<int>(parseLeadingInt(attr(p, e, "StartYearIndex")));
    int year = startYear(p, e, yearIndex);

    if (trimBlanks(attr(p, e, "HeaderOnOff")) == "0") {
        Element header = calendarPart(p, e, "Header_", id);
        out += "<TR><TD ID='Header_" + id + "' colspan=7 align=center style='background-color:" +
               style(p, header, "background-color") + "'>" + p.innerHTML(header) + "</TD></TR>";
    }
    if (trimBlanks(attr(p, e, "DateOnOff")) == "0") {
        Element date = calendarPart(p, e, "DisplayDate_", id);
        formatStartDate(ctx, e, date, month, year);
        out += "<TR><TD ID='DisplayDate_" + id + "' FormatStyle='" + quotedValue(attr(p, date, "FormatStyle")) +
               "' colspan=7 align=center style='background-color:" + style(p, date, "background-color") + "'>" +
               p.innerHTML(date) + "</TD></TR>";
    }
    out += "<TR><TD colspan=7 align=left>Month: " +
           GetMonths("Month", !attrTrue(p, e, "bUseAbbrev"), false, month, id) + " Year: " +
           GetYears("Year", yearIndex, id, ctx.today) + " </TD></TR>";
    out += "<TR><TD colspan=7 align=center>Weekdays</TD></TR>";
    out += BuildCalendarRows(month, year);
    return out + "</TABLE>";
}

}  // namespace zolt
