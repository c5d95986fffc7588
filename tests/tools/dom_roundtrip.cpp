// Prints what DomPage makes of a piece of markup, for comparison with the
// browser by tests/e2e/dom_roundtrip.test.js.
//   dom_roundtrip FILE             the markup inserted at the start of the body
//                                  of a quirks-mode document; prints body.innerHTML
//   dom_roundtrip --document FILE  the markup loaded as the whole document;
//                                  prints the outerHTML of its html element
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "page/DomPage.h"

int main(int argc, char** argv) {
    const bool wholeDocument = argc == 3 && std::string(argv[1]) == "--document";
    if (argc != 2 && !wholeDocument) {
        std::cerr << "usage: dom_roundtrip [--document] FILE\n";
        return 2;
    }
    std::ifstream in(argv[argc - 1], std::ios::binary);
    if (!in) {
        std::cerr << "cannot read " << argv[argc - 1] << "\n";
        return 2;
    }
    std::ostringstream text;
    text << in.rdbuf();
    try {
        zolt::DomPage page;
        std::string out;
        if (wholeDocument) {
            page.loadDocument(text.str());
            out = page.outerHTML(page.documentElement());
        } else {
            page.loadDocument("<html><head></head><body></body></html>");
            zolt::Element body = page.body();
            page.insertAdjacentHTML(body, zolt::InsertPosition::AfterBegin, text.str());
            out = page.innerHTML(body);
        }
        std::cout.write(out.data(), static_cast<std::streamsize>(out.size()));
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    return 0;
}
