'use strict';
// DomPage parses and serialises markup as a quirks-mode Chromium page does, byte for byte.
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const { execFileSync } = require('node:child_process');
const { launchBrowser, tempDir } = require('./helpers/browser');

const ROOT = path.join(__dirname, '..', '..');
const TOOL = path.join(ROOT, 'out', 'build', 'tools', 'dom_roundtrip');
const FORM1 = fs.readFileSync(path.join(ROOT, 'tests', 'fixtures', 'form1_new.html'), 'utf8');

const SNIPPETS = {
  'the new form template of Form1': FORM1,
  'quotes, ampersands and angle brackets in attributes':
    `<div a='x"y' b="it's" c='a&amp;b&lt;c>d' d=a&b e="&quot;&#39;&nbsp;x" f='&lt;/div&gt;'>t&amp;<b>u</b> &lt;&gt; "q" 'r'</div>`,
  'line breaks and tabs inside attribute values and text':
    `<div F_MyFunc="Sub A()\r\n\tMsgBox &quot;1&quot;\r\nEnd Sub" C_Click='x\ny\rz\t' title="&#13;&#10;&#9;">a\r\nb\tc\rd</div>`,
  'tables, implied bodies and misplaced content':
    `<table id=T border=1><tr><td>1<td>2<tr><th>h</table>` +
    `<TABLE><caption>c</caption><thead><tr><td>a</thead><tbody></tbody><div>out</div><tr><td>y</table>`,
  'selects with groups and stray markup':
    `<select id=S size=3 onChange='Go(this)'><option value=1 selected>One<option>  Two  <optgroup label=g><option>Three</optgroup></select>`,
  'nested and misnested divs and inline elements':
    `<div><div><div>a</div><span><div>b</span></div><b><i>c</b>d</i><a href=#>e<a href=#>f</a>`,
  'unquoted values and mixed-case names':
    `<INPUT TYPE=Text Value=abc ID=txt1 onKeyUp=Check(this) MaxLength=5 disabled ParentFormID=1 ControlType='T'>` +
    `<TextArea ROWS=3 ControlType=TXTA>x&lt;y\r\n</TextArea><BUTTON ID=btn1 contentEditable=false onClick="Btn_Click()">Button1</BUTTON>`,
  'raw text of scripts and styles':
    `<script>if (a<b && c>"&amp;") { x = '</p>'; }</script><style>a>b{content:"&amp;"}</style><xmp><b>&</b></xmp>`,
  'void elements, line breaks and rules':
    `<div>a<br>b<br/><hr></div><img src=x.gif alt="a>b"><input type=checkbox checked><br></br>`,
  'comments and a stray doctype':
    `<!-- c -- x --><div>a<!--b--></div><!DOCTYPE html><div>after</div><!-->`,
  'no-break spaces in text and attributes':
    `<span title="a&nbsp;b">a&nbsp;b\u00a0c&nbsp</span>`,
  'list items outside a list and unclosed items':
    `<div id=uol1 ControlType='UL'><LI>One<LI>Two<li>Three</div><ul><li>x<ul><li>y</ul></ul>`,
  'leading line breaks of pre and textarea':
    `<pre>\n\nx</pre><textarea>\n\ny</textarea><listing>\nz</listing>`,
  'svg with mixed-case names':
    `<svg viewBox="0 0 10 10"><foreignObject><div>x</div></foreignObject><path d="M0 0"/><linearGradient/></svg>`,
  'character references with and without semicolons':
    `<a href="?a=1&copy;=2&lt;=3&amp;q&b">&copy &notit; &notin; &#x26; &#0; &#xD800; &#128;</a>`,
  'an attribute repeated without a value, in markup either parser reads':
    `<div a=1 b c=2 b d=3>x</div><p eb=1 e e b=2>y<div>z</div>`,
  'broken tags':
    `<div <b>x</div></b></i><span id=a id=b ID=c>dup</span><div class="unterminated>z</div>`,
  'a table inside an open paragraph, as quirks mode nests it':
    `<p>a<table><tr><td>b</table>c</p><p><b>d<table><td>e</table>f`,
  'comments after the end of the body':
    `<div>a</div></body><!--x--></html><!--y-->`,
  'a form with controls and code':
    FORM1.replace('</Div></DIV>',
      `<DIV ID=lbl1 Name=lbl1 ControlType='L' ParentFormID=1 ControlID=1 style='position:absolute; left:10; top:10; z-index:2'>label1</DIV>` +
      `<SELECT ID=cbo1 ControlType='CB' ParentFormID=1 F_Click="Sub cbo1_Click()\r\n\tIf a < b And c > d Then x = &quot;&amp;&quot;\r\nEnd Sub"><OPTION value=1>One</OPTION></SELECT>` +
      `<DIV ID=chk1 ControlType='CK'><INPUT type=checkbox CHECKED><SPAN>Chk1</SPAN></DIV></Div></DIV>`),
};

const dir = tempDir('zolt-dom-');
function domPage(markup, args = []) {
  const file = path.join(dir, 'markup.html');
  fs.writeFileSync(file, markup, 'utf8');
  return execFileSync(TOOL, [...args, file], { encoding: 'utf8' });
}

test('DomPage parses and serialises markup as Chromium does', async (t) => {
  const browser = await launchBrowser();
  t.after(() => browser.close());
  const page = await browser.newPage();
  await page.setContent('<html><head></head><body></body></html>');
  assert.strictEqual(await page.evaluate(() => document.compatMode), 'BackCompat');
  const chromium = (markup) => page.evaluate((m) => {
    document.body.innerHTML = '';
    document.body.insertAdjacentHTML('afterbegin', m);
    return document.body.innerHTML;
  }, markup);
  for (const [name, markup] of Object.entries(SNIPPETS)) {
    await t.test(name, async () => assert.strictEqual(domPage(markup), await chromium(markup)));
  }

  await t.test('whole quirks-mode documents', async () => {
    // Scripts off, so that the page shows the parser's work and nothing else.
    const quiet = await (await browser.newContext({ javaScriptEnabled: false })).newPage();
    const documents = [
      `<html><head><title>T</title><style>b{}</style></head><body onload='Start()' ProjectName=P>` +
        `<div id=a>x</div><noscript><b>n</b></noscript></body></html>\r\n<!-- after -->`,
      `text before any tag<div>a`,
      `<head><script>var a = "<b>";</script></head><frameset></frameset>`,
    ];
    const designer = path.join(ROOT, 'out', 'designer.html');
    if (fs.existsSync(designer)) documents.push(fs.readFileSync(designer, 'utf8'));
    for (const html of documents) {
      await quiet.setContent(html);
      assert.strictEqual(domPage(html, ['--document']), await quiet.evaluate(() => document.documentElement.outerHTML));
    }
  });
});
