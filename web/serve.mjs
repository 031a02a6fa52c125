// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// Serves folders as static files on 127.0.0.1, with byte ranges as media
// elements ask for them: the page for `make web-serve`, and the pages and
// recordings of the browser tests.
//
//   node serve.mjs FOLDER [PORT]

import { createReadStream, promises as fs } from 'node:fs';
import { createServer } from 'node:http';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8', '.mjs': 'text/javascript; charset=utf-8',
  '.wasm': 'application/wasm', '.woff2': 'font/woff2', '.txt': 'text/plain; charset=utf-8',
  '.mp4': 'video/mp4', '.webm': 'video/webm', '.gif': 'image/gif', '.webp': 'image/webp',
  '.apng': 'image/apng', '.png': 'image/png',
};

// What to answer a request from the files of `roots`: a status, and the
// file and its byte range for a 200 or a 206.
async function Answer(roots, prefixes, request) {
  const url = new URL(request.url, 'http://127.0.0.1');
  const prefix = prefixes.find((p) => url.pathname.startsWith(p));
  if (prefix === undefined) return { status: 404 };
  let name;
  try {
    name = decodeURIComponent(url.pathname.slice(prefix.length));
  } catch {
    return { status: 400 }; // a malformed escape
  }
  if (name.includes('\0')) return { status: 400 };
  const root = path.resolve(roots[prefix]);
  const file = path.resolve(root, name || 'index.html');
  // Inside the folder, not beside it: /site-other is no part of /site.
  const inside = path.relative(root, file);
  if (inside.startsWith('..') || path.isAbsolute(inside)) return { status: 404 };
  const stat = await fs.stat(file).catch(() => null);
  if (!stat?.isFile()) return { status: 404 };
  const header = request.headers.range;
  if (header === undefined) return { status: 200, file, size: stat.size, start: 0, end: stat.size - 1 };
  const range = /^bytes=(\d*)-(\d*)$/.exec(header);
  if (!range || (!range[1] && !range[2])) return { status: 416, size: stat.size };
  let [start, end] = [0, stat.size - 1];
  if (range[1]) {
    start = Number(range[1]);
    if (range[2]) end = Math.min(Number(range[2]), end);
  } else {
    start = Math.max(0, stat.size - Number(range[2]));
  }
  if (start > end || start >= stat.size) return { status: 416, size: stat.size };
  return { status: 206, file, size: stat.size, start, end };
}

// `roots` maps URL prefixes to folders. Resolves to the origin and a close().
export async function serve(roots, port = 0) {
  const prefixes = Object.keys(roots).sort((a, b) => b.length - a.length);
  const server = createServer(async (request, response) => {
    try {
      const answer = await Answer(roots, prefixes, request);
      if (answer.status === 416) return response.writeHead(416, { 'Content-Range': `bytes */${answer.size}` }).end();
      if (!answer.file) return response.writeHead(answer.status).end();
      const headers = { 'Content-Type': types[path.extname(answer.file)] ?? 'application/octet-stream',
                        'Accept-Ranges': 'bytes', 'Content-Length': answer.end - answer.start + 1 };
      if (answer.status === 206) headers['Content-Range'] = `bytes ${answer.start}-${answer.end}/${answer.size}`;
      response.writeHead(answer.status, headers);
      if (request.method === 'HEAD') return response.end();
      createReadStream(answer.file, { start: answer.start, end: answer.end })
        .on('error', () => response.destroy())
        .pipe(response);
    } catch {
      // Whatever a request brings, the server lives on.
      if (!response.headersSent) response.writeHead(500);
      response.end();
    }
  });
  await new Promise((resolve, reject) => server.once('error', reject).listen(port, '127.0.0.1', resolve));
  return { origin: `http://127.0.0.1:${server.address().port}`, close: () => new Promise((r) => server.close(r)) };
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const port = Number(process.argv[3] ?? 8000);
  try {
    const { origin } = await serve({ '/': process.argv[2] ?? '.' }, port);
    console.log(`the page is at ${origin}/ (Ctrl+C stops)`);
  } catch (error) {
    // What `make web-serve` can do about it, in a line.
    const why = { EADDRINUSE: 'is in use', EACCES: 'is not for this user' }[error.code] ?? `cannot serve: ${error.message}`;
    console.error(`clickshow: port ${port} on 127.0.0.1 ${why}; try another with PORT=${port < 65535 ? port + 1 : 8000} make web-serve`);
    process.exit(1);
  }
}
