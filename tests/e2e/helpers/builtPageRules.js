// html-validate settings for built pages: the recommended rules less those the
// built page's text format fixes, each allowance with its reason.
'use strict';

module.exports = {
  extends: ['html-validate:recommended'],
  elements: [
    'html5',
    {
      // The data frame starts empty (src=''): SendData gives it an address.
      iframe: { attributes: { src: { enum: ['/.*/'] } } },
      // A checked check box or option button is written Checked=true.
      input: { attributes: { checked: { boolean: false, enum: ['true'] } } },
    },
  ],
  rules: {
    // The templates' format: mixed-case tags and attributes, values quoted any way, places
    // and colours as inline style or presentational attributes, rows without tbody.
    'element-case': 'off',
    'attr-case': 'off',
    'attr-quotes': 'off',
    'no-inline-style': 'off',
    'no-deprecated-attr': 'off',
    'prefer-tbody': 'off',
    // Leading blanks of captions are written "&nbsp" (without ";"); browsers
    // read each as a non-breaking space.
    'no-raw-characters': 'off',
    'unrecognized-char-ref': 'off',
    // The unordered list control is a DIV (with role=list) holding its LI
    // items, as the designer holds it.
    'element-permitted-content': 'off',
    'element-permitted-parent': 'off',
    // A form's close picture is an IMG that takes the button role, and the
    // unordered list control's DIV the list role.
    'prefer-native-element': ['error', { exclude: ['button', 'list'] }],
    // The one content exception: every form has a title bar CaptionBar, a
    // close picture CloseFormX and a body TForm, and forms repeat their
    // controls' IDs and names; the runtime reaches each within its own form.
    'no-dup-id': 'off',
    'form-dup-name': 'off',
  },
};
