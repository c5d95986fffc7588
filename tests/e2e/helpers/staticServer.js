// Serves one folder's files, nothing outside it, on 127.0.0.1.
'use strict';
const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');

const TYPES = { '.htm': 'text/html; charset=windows-1252', '.js': 'text/javascript; charset=windows-1252', '.jpg': 'image/jpeg' };

function serveFolder(root) {
  const base = path.resolve(root);
  const server = http.createServer((req, res) => {
    const url = new URL(req.url, 'http://127.0.0.1');
    const file = path.resolve(base, '.' + decodeURIComponent(url.pathname));
    if (!file.startsWith(base + path.sep) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      res.writeHead(404);
      res.end('not found');
      return;
    }
    res.writeHead(200, { 'Content-Type': TYPES[path.extname(file).toLowerCase()] || 'application/octet-stream' });
    fs.createReadStream(file).pipe(res);
  });
  return new Promise((resolve) => {
    server.listen(0, '127.0.0.1', () => resolve({
      origin: 'http://127.0.0.1:' + server.address().port,
      close: () => new Promise((done) => server.close(done)),
    }));
  });
}

module.exports = { serveFolder };
