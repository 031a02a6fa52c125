// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// Before anything else of the script: a browser without WebAssembly is told
// so, and the rest does not start.
if (typeof WebAssembly !== 'object') {
  document.getElementById('nowasm').hidden = false;
  throw new Error('no WebAssembly');
}

// The .wasm, fetched beside the page, or as the one-file page unpacks it.
// One that cannot load is told: browsers fetch nothing for a page opened
// from a disk.
Module.instantiateWasm = function (imports, receive) {
  const fetched = () => fetch('clickshow.wasm').then((response) => response.ok ? response.arrayBuffer() : Promise.reject());
  Promise.resolve().then(Module.unpack || fetched)
    .then((bytes) => WebAssembly.instantiate(bytes, imports))
    .then((result) => receive(result.instance), Module.onAbort);
  return {};
};
Module.onAbort = function () {
  document.getElementById('failed').hidden = false;
};
