# Assembles the designer page: designer/page.html, where every line of the
# form <!--#include FILE--> is replaced by the file's text (a .js file inside
# <script>, a .css file inside <style>, anything else as it stands), and every
# <!--#bundle FILE--> by the script bundled from designer/FILE (BUNDLE_DIR
# holds it under the file's name with .js). Writes the page as HTML (for tests
# and to be carried by the executable) and a C++ source whose assembler
# includes the HTML's bytes as they stand, so that a page of any size costs
# the build nothing more.
file(READ ${DESIGNER_DIR}/page.html page)

function(inline_script name body out)
  set(${out} "<script>\n// ${name}\n${body}</script>" PARENT_SCOPE)
endfunction()

string(REGEX MATCHALL "<!--#include [^>]*-->" includes "${page}")
foreach(inc ${includes})
  string(REGEX REPLACE "<!--#include ([^>]*)-->" "\\1" name "${inc}")
  string(STRIP "${name}" name)
  file(READ ${DESIGNER_DIR}/${name} body)
  if(name MATCHES "\\.js$")
    inline_script("${name}" "${body}" body)
  elseif(name MATCHES "\\.css$")
    set(body "<style>\n${body}</style>")
  endif()
  string(REPLACE "${inc}" "${body}" page "${page}")
endforeach()

string(REGEX MATCHALL "<!--#bundle [^>]*-->" bundles "${page}")
foreach(inc ${bundles})
  string(REGEX REPLACE "<!--#bundle ([^>]*)-->" "\\1" name "${inc}")
  string(STRIP "${name}" name)
  get_filename_component(base "${name}" NAME_WE)
  file(READ ${BUNDLE_DIR}/${base}.js body)
  # A script element ends at the first "</script"; a bundle never holds one
  # (the bundler writes it escaped), and this check keeps it so.
  string(TOLOWER "${body}" lower)
  string(FIND "${lower}" "</script" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "The bundle of ${name} holds </script and cannot stand inside the page.")
  endif()
  # The bundler leaves some control characters raw inside template strings;
  # the host's HTML parser would read them as U+FFFD where the browser keeps
  # them. Written as escapes they mean the same to the script.
  foreach(code RANGE 1 31)
    if(code EQUAL 9 OR code EQUAL 10 OR code EQUAL 12 OR code EQUAL 13)
      continue()
    endif()
    string(ASCII ${code} ctl)
    string(FIND "${body}" "${ctl}" at)
    if(NOT at EQUAL -1)
      math(EXPR hex "${code}" OUTPUT_FORMAT HEXADECIMAL)
      string(REPLACE "0x" "" hex "${hex}")
      string(LENGTH "${hex}" digits)
      if(digits EQUAL 1)
        set(hex "0${hex}")
      endif()
      string(REPLACE "${ctl}" "\\x${hex}" body "${body}")
    endif()
  endforeach()
  inline_script("${name} (bundled)" "${body}" body)
  string(REPLACE "${inc}" "${body}" page "${page}")
endforeach()

file(WRITE ${OUT_HTML}.tmp "${page}")
file(RENAME ${OUT_HTML}.tmp ${OUT_HTML})

file(SIZE ${OUT_HTML} size)
file(WRITE ${OUT_CPP}.tmp
  "// Generated from designer/ by cmake/assemble_page.cmake.\n"
  "#include \"page/DesignerPage.h\"\n"
  "asm(\".pushsection .rodata\\n\"\n"
  "    \"zolt_designer_page:\\n\"\n"
  "    \".incbin \\\"${OUT_HTML}\\\"\\n\"\n"
  "    \".byte 0\\n\"\n"
  "    \".popsection\\n\");\n"
  "extern \"C\" const char zolt_designer_page[];\n"
  "namespace zolt {\n"
  "std::string_view designerPageText() { return {zolt_designer_page, ${size}}; }\n"
  "}\n")
file(RENAME ${OUT_CPP}.tmp ${OUT_CPP})
