// The code editor of the code window: a CodeMirror editor for JavaScript with
// line numbers, highlighting, bracket matching, auto-indent, its own undo and
// syntax errors marked as the developer types (parsed with acorn). Bundled at
// build time into one script of the designer page (window.ZoltCodeEditor);
// the page's code window routines work on it through the small API below.
//
// Text goes in and out with CR LF line breaks, as the page stores code;
// inside the editor lines are lines, whatever break a pasted text had.
import { EditorView, keymap, lineNumbers, highlightActiveLineGutter, highlightSpecialChars, drawSelection,
  dropCursor, rectangularSelection, crosshairCursor, highlightActiveLine } from '@codemirror/view';
import { EditorState, Transaction } from '@codemirror/state';
import { foldGutter, indentOnInput, indentUnit, syntaxHighlighting, defaultHighlightStyle, bracketMatching,
  foldKeymap, syntaxTreeAvailable, forceParsing } from '@codemirror/language';
import { history, defaultKeymap, historyKeymap, insertTab, indentLess } from '@codemirror/commands';
import { highlightSelectionMatches } from '@codemirror/search';
import { closeBrackets, closeBracketsKeymap } from '@codemirror/autocomplete';
import { linter, lintGutter, lintKeymap } from '@codemirror/lint';
import { javascript } from '@codemirror/lang-javascript';
import { parse } from 'acorn';

const CRLF = '\r\n';

// Kinds of code: a script of functions and declarations, or the body of an
// event handler as the built page writes it onto a tag (its single quotes
// turned into double quotes, a click handler ending by stopping the event).
const HandlerEnding = { onclick: ';event.cancelBubble=true;' };

function builtHandler(code, event) {
  return code.replace(/'/g, '"') + (HandlerEnding[event] || '');
}

// The first syntax error of `code`, or null: {line, column, message}. `event`
// names the event when the code is an event handler.
function syntaxError(code, event) {
  const text = String(code == null ? '' : code);
  const handler = !!event;
  try {
    parse(handler ? builtHandler(text, event) : text,
      { ecmaVersion: 'latest', sourceType: 'script', allowReturnOutsideFunction: handler, locations: true });
    return null;
  } catch (e) {
    if (!e.loc) throw e;
    let message = e.message.replace(/\s*\(\d+:\d+\)$/, '');
    // Code that is sound on its own but not once its quotes are turned.
    if (handler && /'/.test(text)) {
      try {
        parse(text, { ecmaVersion: 'latest', sourceType: 'script', allowReturnOutsideFunction: true });
        message += " (an event's single quotes are written as double quotes: write a quote inside text as \\x27)";
      } catch (ignored) { /* the code itself is wrong */ }
    }
    return { line: e.loc.line, column: e.loc.column, pos: e.pos, message };
  }
}

// Text typed over a selection that spans lines is put in by the editor
// itself: left to the browser, such typing leaves a line break behind.
const typeOverLines = EditorView.domEventHandlers({
  beforeinput(e, view) {
    const { state } = view;
    const sel = state.selection.main;
    if (e.inputType !== 'insertText' || !e.data || sel.empty || state.selection.ranges.length > 1) return false;
    if (state.doc.lineAt(sel.from).number === state.doc.lineAt(sel.to).number) return false;
    e.preventDefault();
    const insert = () => state.update(state.replaceSelection(e.data), { userEvent: 'input.type', scrollIntoView: true });
    const handled = state.facet(EditorView.inputHandler).some((h) => h(view, sel.from, sel.to, e.data, insert));
    if (!handled) view.dispatch(insert());
    return true;
  },
});

const editorTheme = EditorView.theme({
  '&': { height: '100%', fontSize: '13px', backgroundColor: '#ffffff' },
  '.cm-scroller': { fontFamily: '"DejaVu Sans Mono", Consolas, "Liberation Mono", monospace', lineHeight: '1.4' },
  '.cm-gutters': { backgroundColor: '#f5f1ea', borderRight: '1px solid #d8cdb8', color: '#8a7a5c' },
  '.cm-activeLineGutter': { backgroundColor: '#efe3c8' },
  '.cm-activeLine': { backgroundColor: '#fbf6ea' },
  '&.cm-focused': { outline: 'none' },
  '.cm-lintRange-error': { backgroundImage: 'none', textDecoration: 'underline wavy #d00000', textUnderlineOffset: '3px' },
});

// Creates the editor in `parent`. `hooks`:
//   allowChange(tr) -> false refuses a change the developer made (a text
//                      the page shows with setText is not asked about)
//   changed(update) after the developer changed the text
//   save(), find(), findNext()   Ctrl+S, Ctrl+F, F3
//   lintEvent()     the event name while the editor shows an event's code,
//                   else '' (the code is a script)
function create(parent, hooks) {
  const h = hooks || {};
  const run = (name) => () => { if (h[name]) h[name](); return true; };
  const watch = EditorState.transactionFilter.of((tr) => {
    if (!tr.docChanged || !h.allowChange) return tr;
    return h.allowChange(tr) === false ? [] : tr;
  });
  const listen = EditorView.updateListener.of((update) => {
    if (update.docChanged && h.changed) h.changed(update);
  });
  const lint = linter((view) => {
    const event = h.lintEvent ? h.lintEvent() : '';
    const error = syntaxError(view.state.doc.toString(), event);
    if (!error) return [];
    const doc = view.state.doc;
    const line = doc.line(Math.min(Math.max(error.line, 1), doc.lines));
    const from = Math.min(line.from + error.column, line.to);
    const to = from < line.to ? from + 1 : from;
    return [{ from, to, severity: 'error', message: error.message }];
  }, { delay: 400 });

  const extensions = [
    lineNumbers(), highlightActiveLineGutter(), highlightSpecialChars(), history(), foldGutter(),
    drawSelection(), dropCursor(), EditorState.allowMultipleSelections.of(true), indentOnInput(),
    indentUnit.of('\t'), EditorState.tabSize.of(4),
    syntaxHighlighting(defaultHighlightStyle, { fallback: true }), bracketMatching(), closeBrackets(),
    rectangularSelection(), crosshairCursor(), highlightActiveLine(), highlightSelectionMatches(),
    javascript(), lint, lintGutter(), watch, listen, typeOverLines, editorTheme,
    keymap.of([
      { key: 'Tab', run: insertTab, shift: indentLess },
      { key: 'Mod-s', run: run('save'), preventDefault: true },
      { key: 'Mod-f', run: run('find'), preventDefault: true },
      { key: 'F3', run: run('findNext'), preventDefault: true },
      ...closeBracketsKeymap, ...defaultKeymap, ...historyKeymap, ...foldKeymap, ...lintKeymap,
    ]),
  ];
  const view = new EditorView({ parent, state: EditorState.create({ doc: '', extensions }) });
  return new CodeEditor(view, extensions);
}

// The editor as the code window uses it. Positions are offsets into the
// text with single-character line breaks (what text() gives with its CR LF
// breaks folded); line numbers count from 1.
class CodeEditor {
  constructor(view, extensions) {
    this.view = view;
    this.extensions = extensions;
  }
  get state() { return this.view.state; }
  text() { return this.state.doc.sliceString(0, this.state.doc.length, CRLF); }
  plainText() { return this.state.doc.toString(); }
  isEmpty() { return this.state.doc.length === 0; }
  firstLine() { return this.state.doc.line(1).text; }
  lineCount() { return this.state.doc.lines; }
  lineStart(n) { return this.state.doc.line(Math.min(Math.max(n, 1), this.state.doc.lines)).from; }

  // Shows a new text: the page's own change, with a fresh undo history so
  // that Undo never brings back another function's text.
  setText(text, keepPlace) {
    const head = keepPlace ? this.state.selection.main.head : 0;
    const doc = String(text == null ? '' : text);
    this.view.setState(EditorState.create({ doc, extensions: this.extensions }));
    if (head) this.select(Math.min(head, this.state.doc.length));
    this.parseInBackground();
  }

  // Parses a long text to its end in short slices between events: while the
  // parse lags behind, every key would re-parse up to the lines shown. (The
  // editor's own background parse waits for idle time, which a busy page
  // may not give it.)
  parseInBackground() {
    clearTimeout(this.parseTimer);
    const slice = () => {
      if (this.parse(12)) return;
      this.parseTimer = setTimeout(slice, 0);
    };
    this.parseTimer = setTimeout(slice, 0);
  }

  // Makes changes ([{from, to, insert}]) as the developer's own: they can be
  // undone in the editor, and the first-line watch may refuse them. Returns
  // whether the text changed.
  change(changes) {
    const before = this.state.doc;
    this.view.dispatch({ changes, annotations: Transaction.userEvent.of('input.replace') });
    return this.state.doc !== before;
  }

  // The caret goes after the inserted text (whose CR LF breaks the editor
  // holds as one character each).
  insertAtCursor(insert) {
    const at = this.state.selection.main.head;
    const changes = this.state.changes({ from: at, insert });
    this.view.dispatch({ changes, selection: { anchor: changes.mapPos(at, 1) },
      scrollIntoView: true, annotations: Transaction.userEvent.of('input.paste') });
  }

  selection() {
    const { from, to } = this.state.selection.main;
    return { from, to, text: this.state.sliceDoc(from, to) };
  }

  select(from, to, scroll) {
    this.view.dispatch({ selection: { anchor: from, head: to === undefined ? from : to }, scrollIntoView: !!scroll });
  }

  focus() { this.view.focus(); }
  hasFocus() { return this.view.hasFocus; }
  // Whether the whole text is parsed (highlighting, folding and bracket
  // matching then follow each key with little work); parse(ms) parses on.
  parsed() { return syntaxTreeAvailable(this.state, this.state.doc.length); }
  parse(ms) { return forceParsing(this.view, this.state.doc.length, ms); }

}

export { create, syntaxError };
