# Assembles the designer page: designer/page.html, where every line of the
# form <!--#include FILE--> is replaced by the file's text (a .js file inside
# <script>, a .css file inside <style>, anything else as it stands). Writes the
# page as HTML (for tests) and as a C++ source holding its bytes.
file(READ ${DESIGNER_DIR}/page.html page)
string(REGEX MATCHALL "<!--#include [^>]*-->" includes "${page}")
foreach(inc ${includes})
  string(REGEX REPLACE "<!--#include ([^>]*)-->" "\\1" name "${inc}")
  string(STRIP "${name}" name)
  file(READ ${DESIGNER_DIR}/${name} body)
  if(name MATCHES "\\.js$")
    set(body "<script>\n// ${name}\n${body}</script>")
  elseif(name MATCHES "\\.css$")
    set(body "<style>\n${body}</style>")
  endif()
  string(REPLACE "${inc}" "${body}" page "${page}")
endforeach()
file(WRITE ${OUT_HTML}.tmp "${page}")
file(RENAME ${OUT_HTML}.tmp ${OUT_HTML})

file(READ ${OUT_HTML} hex HEX)
string(LENGTH "${hex}" hexlen)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
math(EXPR size "${hexlen} / 2")
file(WRITE ${OUT_CPP}.tmp
  "// Generated from designer/ by cmake/assemble_page.cmake.\n"
  "#include \"page/DesignerPage.h\"\n"
  "namespace zolt {\nstatic const unsigned char kPage[] = {${bytes}0};\n"
  "std::string_view designerPageText() {\n"
  "  return {reinterpret_cast<const char*>(kPage), ${size}};\n}\n}\n")
file(RENAME ${OUT_CPP}.tmp ${OUT_CPP})
