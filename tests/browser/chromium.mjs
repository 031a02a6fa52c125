// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// Pages in headless Chromium, served from 127.0.0.1 on a port of their own.
// Debian's chromium, driven through the DevTools protocol.

import { createReadStream, promises as fs } from 'node:fs';
import { createServer } from 'node:http';
import { mkdtemp, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.wasm': 'application/wasm',
  '.json': 'application/json',
  '.woff2': 'font/woff2',
  '.txt': 'text/plain; charset=utf-8',
  '.mp4': 'video/mp4',
  '.webm': 'video/webm',
  '.gif': 'image/gif',
  '.webp': 'image/webp',
  '.apng': 'image/apng',
  '.png': 'image/png',
};

// Serves `roots` (URL prefix to folder) as static files, with ranges, as
// media elements ask for them. Resolves to the origin, "http://127.0.0.1:N".
export async function serve(roots) {
  const server = createServer(async (request, response) => {
    const url = new URL(request.url, 'http://127.0.0.1');
    const prefix = Object.keys(roots).sort((a, b) => b.length - a.length).find((p) => url.pathname.startsWith(p));
    const relative = prefix === undefined ? null : decodeURIComponent(url.pathname.slice(prefix.length));
    const file = relative === null ? null : path.join(roots[prefix], relative || 'index.html');
    if (!file || !file.startsWith(roots[prefix]) || !(await fs.stat(file).catch(() => null))?.isFile()) {
      response.writeHead(404).end();
      return;
    }
    const size = (await fs.stat(file)).size;
    const headers = {
      'Content-Type': types[path.extname(file)] ?? 'application/octet-stream',
      'Accept-Ranges': 'bytes',
      'Cache-Control': 'no-store',
    };
    const range = /^bytes=(\d*)-(\d*)$/.exec(request.headers.range ?? '');
    if (range) {
      const start = range[1] ? Number(range[1]) : Math.max(0, size - Number(range[2]));
      const end = range[1] && range[2] ? Math.min(Number(range[2]), size - 1) : size - 1;
      response.writeHead(206, { ...headers, 'Content-Range': `bytes ${start}-${end}/${size}`, 'Content-Length': end - start + 1 });
      createReadStream(file, { start, end }).pipe(response);
      return;
    }
    response.writeHead(200, { ...headers, 'Content-Length': size });
    if (request.method === 'HEAD') response.end();
    else createReadStream(file).pipe(response);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return { origin: `http://127.0.0.1:${server.address().port}`, close: () => new Promise((r) => server.close(r)) };
}

// Runs `work(browser)` with a fresh headless Chromium, closed afterwards
// however `work` ends.
export async function withChromium(work) {
  const profile = await mkdtemp(path.join(tmpdir(), 'clickshow-chromium-'));
  // The GPU path, as most machines have it, drawn by SwiftShader: its YUV
  // to RGB conversion is exact, where Chromium without a GPU shows BT.709
  // blue 16 levels dark (239 for 255) whatever the file holds.
  const args = [
    '--use-angle=swiftshader',
    '--enable-unsafe-swiftshader',
    '--disable-quic',
    '--no-first-run',
    '--disable-background-networking',
    '--disable-component-update',
    '--disable-sync',
    '--autoplay-policy=no-user-gesture-required',
    `--user-data-dir=${profile}`,
  ];
  if (process.getuid?.() === 0) args.push('--no-sandbox');
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    args,
    protocolTimeout: 120000,
  });
  try {
    return await work(browser);
  } finally {
    await browser.close().catch(() => {});
    await rm(profile, { recursive: true, force: true });
  }
}

// A failed check, with what was seen: tests print these and exit 1.
export class Failure extends Error {}

export function check(condition, message) {
  if (!condition) throw new Failure(message);
}
