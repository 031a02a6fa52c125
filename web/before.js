// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// Before anything else of the script: a browser without WebAssembly is told
// so, and the rest does not start.
if (typeof WebAssembly !== 'object') {
  document.getElementById('nowasm').hidden = false;
  throw new Error('no WebAssembly');
}
