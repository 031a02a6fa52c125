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

// `roots` maps URL prefixes to folders. Resolves to the origin and a close().
export async function serve(roots, port = 0) {
  const prefixes = Object.keys(roots).sort((a, b) => b.length - a.length);
  const server = createServer(async (request, response) => {
    const url = new URL(request.url, 'http://127.0.0.1');
    const prefix = prefixes.find((p) => url.pathname.startsWith(p));
    const root = prefix === undefined ? null : path.resolve(roots[prefix]);
    const file = root && path.join(root, decodeURIComponent(url.pathname.slice(prefix.length)) || 'index.html');
    const stat = file && file.startsWith(root) ? await fs.stat(file).catch(() => null) : null;
    if (!stat?.isFile()) return response.writeHead(404).end();
    const headers = { 'Content-Type': types[path.extname(file)] ?? 'application/octet-stream', 'Accept-Ranges': 'bytes' };
    const range = /^bytes=(\d*)-(\d*)$/.exec(request.headers.range ?? '');
    let [start, end] = [0, stat.size - 1];
    if (range) {
      start = range[1] ? Number(range[1]) : Math.max(0, stat.size - Number(range[2]));
      end = range[1] && range[2] ? Math.min(Number(range[2]), end) : end;
      headers['Content-Range'] = `bytes ${start}-${end}/${stat.size}`;
    }
    response.writeHead(range ? 206 : 200, { ...headers, 'Content-Length': end - start + 1 });
    if (request.method === 'HEAD') return response.end();
    createReadStream(file, { start, end }).pipe(response);
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
