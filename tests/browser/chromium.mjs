// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// Pages in headless Chromium, served from 127.0.0.1 on a port of their own
// (by the page's own server). Debian's chromium, driven through the
// DevTools protocol.

import { mkdtemp, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

export { serve } from '../../web/serve.mjs';

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
