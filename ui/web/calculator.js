// The calculator module (levelwise.wasm) as JavaScript calls it, in the page and under node.
// The module asks for three system calls of WASI for its C library's streams, which it never
// uses here: each answers "not supported".

const ENOSYS = 52;
const LOW = 0, HIGH = 1, DIRECTION = 2, DECIMAL_SEPARATOR = 3, GROUP_SEPARATOR = 4, GROUP_SAMPLE = 5;

// source: a fetch() response (or its promise), or the module's bytes.
// Compiled and instantiated in one step, which the page's start waits on: whatever function
// the module imports, under whatever module name, answers ENOSYS.
export async function loadCalculator(source) {
  const unsupported = new Proxy({}, { get: () => () => ENOSYS });
  const imports = new Proxy({}, { get: () => unsupported });
  const { instance } = ArrayBuffer.isView(source) || source instanceof ArrayBuffer
    ? await WebAssembly.instantiate(source, imports)
    : await WebAssembly.instantiateStreaming(source, imports);
  instance.exports._initialize();
  return new Calculator(instance.exports);
}

class Calculator {
  #exports;

  constructor(exports) {
    this.#exports = exports;
  }

  // The outcome of the calculate command on three field texts under the number settings
  // { decimal, group, sample } (sample: the integer part of 1234567 as the number format
  // writes it, from which the module reads the group sizes): { error: whether it is the
  // error report, text }.
  calculate(low, high, direction, settings) {
    this.#write(LOW, low);
    this.#write(HIGH, high);
    this.#write(DIRECTION, direction);
    this.#write(DECIMAL_SEPARATOR, settings.decimal);
    this.#write(GROUP_SEPARATOR, settings.group);
    this.#write(GROUP_SAMPLE, settings.sample);
    const error = this.#exports.lw_calculate() === 1;
    const text = new Uint16Array(this.#exports.memory.buffer, this.#exports.lw_text(),
                                 this.#exports.lw_text_length());
    return { error, text: String.fromCharCode(...text) };
  }

  // The three levels of two prices, or null on an overflow.
  levels(low, high, isLong) {
    const at = this.#exports.lw_levels(low, high, isLong ? 1 : 0);
    const [l382, l500, l618, set] = new Float64Array(this.#exports.memory.buffer, at, 4);
    return set ? [l382, l500, l618] : null;
  }

  #write(slot, text) {
    const at = this.#exports.lw_input(slot, text.length);
    const units = new Uint16Array(this.#exports.memory.buffer, at, text.length);
    for (let i = 0; i < text.length; i++) units[i] = text.charCodeAt(i);
  }
}

// The page's calculator, loaded from beside this script; again after a failed load, past the
// browser's cache, which may hold the failure.
export function loadPageCalculator(again = false) {
  return loadCalculator(fetch(new URL('levelwise.wasm', import.meta.url), again ? { cache: 'reload' } : {}));
}

// In the page, the calculator starts loading as soon as this module runs, which the page
// fetches beside main.js (under node there is no page, and nothing starts).
export const pageCalculator = typeof document === 'undefined' ? null : loadPageCalculator();
