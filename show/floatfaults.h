// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

namespace show {

// Whether forming a - b in single precision, or a * b of two singles in
// double, raises an invalid operation, a division by zero or an overflow.
// Told from the values themselves, with the outcomes of the processor's
// flags: WebAssembly has no flags to read, and this reads the same on
// every platform.
bool SubtractionFaults(float a, float b);
bool ProductFaults(float a, float b);

} // namespace show
