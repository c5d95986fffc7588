// html-validate settings for built pages: the recommended rules, less those
// that the built page's markup style breaks on purpose, each with its reason.
'use strict';

module.exports = {
  extends: ['html-validate:recommended'],
  rules: {
    // Tags and attributes are written in the mixed case of the page's
    // templates (DIV, Div, TABLE, ControlType); HTML does not tell case apart.
    'element-case': 'off',
    'attr-case': 'off',
    // Attribute values are unquoted, single- or double-quoted as the
    // templates have them; each is quoted where its value needs it.
    'attr-quotes': 'off',
    // Every form and control carries its place, size, colours and fonts as
    // inline style: that is what the developer set in the designer.
    'no-inline-style': 'off',
    // bgcolor, align, cellpadding, cellspacing, border, FRAMEBORDER and
    // SCROLLING are how the page sets its colour, tables and data frame.
    'no-deprecated-attr': 'off',
    // Every form has a title bar CaptionBar, a close picture CloseFormX and a
    // body TForm, and every tab strip is TabTable: the runtime reaches them
    // through their form or control, never by ID.
    'no-dup-id': 'off',
    // Buttons lie outside any form element, so there is nothing to submit.
    'no-implicit-button-type': 'off',
    // Calendar rows are written without tbody; the browser supplies it.
    'prefer-tbody': 'off',
    // The page's language is the developer's; the data frame is hidden.
    'element-required-attributes': 'off',
    // The data frame starts with src='' and check boxes carry Checked=true,
    // as the runtime and the developer's code expect.
    'attribute-allowed-values': 'off',
    'attribute-boolean-style': 'off',
    // Leading blanks of captions are written as "&nbsp" without ";", as the
    // designer writes them; browsers read each as a non-breaking space.
    'no-raw-characters': 'off',
    'unrecognized-char-ref': 'off',
    // The unordered list control is a DIV holding its LI items, as the
    // designer holds it (the items take their bullets from the DIV's place).
    'element-permitted-content': 'off',
    'element-permitted-parent': 'off',
    // Grid header cells have no scope; a grid's header row is its only row.
    'wcag/h63': 'off',
  },
};
