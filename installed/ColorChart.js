// ZOLT colour chart: the colour, border style and font tables that every
// colour, border and font list of the designer is built from.
//
// The designer stores positions in these tables (BackColorIndex,
// BorderStyleIndex, FontTypeIndex and the like) in project, form and style
// sheet files, so the order of the entries is part of those file formats:
// an entry is never moved or removed.
// The entry at each table's upper bound is an end marker that no list shows.
//
// A plain script: the designer page loads it with a script element, and the
// tests load it in Node, where the tables are also exported.

// 0..216 colours as six hexadecimal digits without "#"; 217 "transparent"
// (offered only in back colour lists); 218 the end marker. The colours are
// the 216 web-safe colours in ascending order with the designer's form
// colour D5CCBB inserted at position 3. Fixed positions the designer's
// defaults rely on: 0 black, 3 D5CCBB, 6 blue 0000FF, 216 white.
var arrColor = [
  /*   0 */ "000000", "000033", "000066", "D5CCBB", "000099", "0000CC",
  /*   6 */ "0000FF", "003300", "003333", "003366", "003399", "0033CC",
  /*  12 */ "0033FF", "006600", "006633", "006666", "006699", "0066CC",
  /*  18 */ "0066FF", "009900", "009933", "009966", "009999", "0099CC",
  /*  24 */ "0099FF", "00CC00", "00CC33", "00CC66", "00CC99", "00CCCC",
  /*  30 */ "00CCFF", "00FF00", "00FF33", "00FF66", "00FF99", "00FFCC",
  /*  36 */ "00FFFF", "330000", "330033", "330066", "330099", "3300CC",
  /*  42 */ "3300FF", "333300", "333333", "333366", "333399", "3333CC",
  /*  48 */ "3333FF", "336600", "336633", "336666", "336699", "3366CC",
  /*  54 */ "3366FF", "339900", "339933", "339966", "339999", "3399CC",
  /*  60 */ "3399FF", "33CC00", "33CC33", "33CC66", "33CC99", "33CCCC",
  /*  66 */ "33CCFF", "33FF00", "33FF33", "33FF66", "33FF99", "33FFCC",
  /*  72 */ "33FFFF", "660000", "660033", "660066", "660099", "6600CC",
  /*  78 */ "6600FF", "663300", "663333", "663366", "663399", "6633CC",
  /*  84 */ "6633FF", "666600", "666633", "666666", "666699", "6666CC",
  /*  90 */ "6666FF", "669900", "669933", "669966", "669999", "6699CC",
  /*  96 */ "6699FF", "66CC00", "66CC33", "66CC66", "66CC99", "66CCCC",
  /* 102 */ "66CCFF", "66FF00", "66FF33", "66FF66", "66FF99", "66FFCC",
  /* 108 */ "66FFFF", "990000", "990033", "990066", "990099", "9900CC",
  /* 114 */ "9900FF", "993300", "993333", "993366", "993399", "9933CC",
  /* 120 */ "9933FF", "996600", "996633", "996666", "996699", "9966CC",
  /* 126 */ "9966FF", "999900", "999933", "999966", "999999", "9999CC",
  /* 132 */ "9999FF", "99CC00", "99CC33", "99CC66", "99CC99", "99CCCC",
  /* 138 */ "99CCFF", "99FF00", "99FF33", "99FF66", "99FF99", "99FFCC",
  /* 144 */ "99FFFF", "CC0000", "CC0033", "CC0066", "CC0099", "CC00CC",
  /* 150 */ "CC00FF", "CC3300", "CC3333", "CC3366", "CC3399", "CC33CC",
  /* 156 */ "CC33FF", "CC6600", "CC6633", "CC6666", "CC6699", "CC66CC",
  /* 162 */ "CC66FF", "CC9900", "CC9933", "CC9966", "CC9999", "CC99CC",
  /* 168 */ "CC99FF", "CCCC00", "CCCC33", "CCCC66", "CCCC99", "CCCCCC",
  /* 174 */ "CCCCFF", "CCFF00", "CCFF33", "CCFF66", "CCFF99", "CCFFCC",
  /* 180 */ "CCFFFF", "FF0000", "FF0033", "FF0066", "FF0099", "FF00CC",
  /* 186 */ "FF00FF", "FF3300", "FF3333", "FF3366", "FF3399", "FF33CC",
  /* 192 */ "FF33FF", "FF6600", "FF6633", "FF6666", "FF6699", "FF66CC",
  /* 198 */ "FF66FF", "FF9900", "FF9933", "FF9966", "FF9999", "FF99CC",
  /* 204 */ "FF99FF", "FFCC00", "FFCC33", "FFCC66", "FFCC99", "FFCCCC",
  /* 210 */ "FFCCFF", "FFFF00", "FFFF33", "FFFF66", "FFFF99", "FFFFCC",
  /* 216 */ "FFFFFF",
  /* 217 */ "transparent",
  /* 218 */ ""
];

// CSS border style keywords. 5 "inset" is an image's border style, 7 "ridge"
// a calendar's, 8 "solid" a form body's.
var arrBorderStyle = [
  "none", "dotted", "dashed", "double", "groove",
  "inset", "outset", "ridge", "solid",
  ""
];

// Font families; 0 "Arial" is every control's and title bar's default.
var arrFontType = [
  "Arial", "Arial Black", "Comic Sans MS", "Courier New", "Georgia",
  "Helvetica", "Impact", "Lucida Console", "Tahoma", "Times New Roman",
  "Trebuchet MS", "Verdana",
  ""
];

// Functions the build calls through the page's script object follow here.

if (typeof module !== 'undefined' && module.exports) {
  module.exports = { arrColor: arrColor, arrBorderStyle: arrBorderStyle, arrFontType: arrFontType };
}
