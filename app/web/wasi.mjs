// Runs a WASI command module under node: the page generator at build time, and the tests'
// look at the window table.
import { WASI } from 'node:wasi';
import { readFile } from 'node:fs/promises';

// Returns the command's exit status. preopens maps the folders it sees to real ones.
export async function runWasi(file, args, { preopens = {}, stdout = 1 } = {}) {
  const wasi = new WASI({ version: 'preview1', args: ['wasi', ...args], preopens, stdout, returnOnExit: true });
  const module = await WebAssembly.compile(await readFile(file));
  // wasiImport rather than getImportObject(), which Node.js 18 lacks.
  return wasi.start(await WebAssembly.instantiate(module, { wasi_snapshot_preview1: wasi.wasiImport }));
}
