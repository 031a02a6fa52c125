// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// The page as one file, clickshow.html, from the folder's page and its
// parts: the script inline, the .wasm in it gzipped (half the bytes of the
// bare .wasm as base64), the face as data. It plays from a file, a mail attachment or
// any server, as nothing is fetched; its Content-Security-Policy allows
// only what it holds, by hash.
//
//   node onefile.mjs FOLDER

import { createHash } from 'node:crypto';
import { readFileSync, writeFileSync } from 'node:fs';
import path from 'node:path';
import { gzipSync } from 'node:zlib';

const folder = process.argv[2];
const read = (name) => readFileSync(path.join(folder, name));
const hash = (text) => `'sha256-${createHash('sha256').update(text).digest('base64')}'`;

// The .wasm for the page's loader (before.js), from the page itself.
function Unpack() {
  const packed = Uint8Array.from(atob(WASM), (c) => c.charCodeAt(0));
  return new Response(new Blob([packed]).stream().pipeThrough(new DecompressionStream('gzip'))).arrayBuffer();
}

const wasm = gzipSync(read('clickshow.wasm'), { level: 9 }).toString('base64');
const script = `var Module = { unpack: ${String(Unpack).replace('WASM', `'${wasm}'`)} };\n${read('clickshow.js')}`;
let page = read('index.html').toString();
const replace = (pattern, text) => {
  const before = page;
  page = page.replace(pattern, () => text);
  if (page === before) throw new Error(`index.html: no ${pattern}`);
};
replace('url("p052.woff2")', `url("data:font/woff2;base64,${read('p052.woff2').toString('base64')}")`);
replace('<style>', '<!-- The captions\' face is a subset of P052: (c) 2015 URW Software, 2013, 2014 (URW)++ Design & ' +
  'Development; AGPL-3 with a font exception, in full in p052-licence.txt of the page\'s folder. -->\n<style>');
replace('<script src="clickshow.js"></script>', `<script>${script}</script>`);
replace(/<p class="message" id="failed" hidden>[^<]*/, '<p class="message" id="failed" hidden>This browser could not start the show.');
const style = /<style>([\s\S]*?)<\/style>/.exec(page)[1];
replace(/content="default-src[^"]*"/,
  `content="default-src 'none'; script-src ${hash(script)} 'wasm-unsafe-eval'; style-src ${hash(style)}; font-src data:; img-src data:"`);
writeFileSync(path.join(folder, 'clickshow.html'), page);
