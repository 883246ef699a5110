// The web app's calculator module against the native core, case by case: the message box's
// kind and text, and the bits of the levels. The cases and the native answers come from
// make_web_cases, run here; the module is the site's own levelwise.wasm, loaded by the loader
// that the site's script carries.
//   node calculator_check.mjs MAKE_WEB_CASES SITE_DIR
import { spawn } from 'node:child_process';
import { readFile } from 'node:fs/promises';
import { join } from 'node:path';
import { createInterface } from 'node:readline';

const [makeCases, site] = process.argv.slice(2);
const COUNT = 200000;
// The loader the site's script carries, imported from its text: outside a package marked as
// modules, Node.js 18 would take a .js file for CommonJS.
const loaderText = await readFile(new URL('../calculator.js', import.meta.url));
const { loadCalculator } = await import(`data:text/javascript;base64,${loaderText.toString('base64')}`);
const calculator = await loadCalculator(await readFile(join(site, 'levelwise.wasm')));

// A double and its bits, as two views of the same eight bytes.
const double = new Float64Array(1), bits = new BigUint64Array(double.buffer);
const bitsOf = (value) => { double[0] = value; return bits[0].toString(16).padStart(16, '0'); };
const priceOf = (hex) => { bits[0] = BigInt(`0x${hex}`); return double[0]; };

let settings = null;
let cases = 0;
let errors = 0;
const mismatches = [];
const maker = spawn(makeCases, [String(COUNT)], { stdio: ['ignore', 'pipe', 'inherit'] });
const made = new Promise((done) => maker.on('close', done));
for await (const line of createInterface({ input: maker.stdout })) {
  const record = JSON.parse(line);
  if (!settings) {
    settings = record.settings;
    continue;
  }
  cases++;
  const shown = calculator.calculate(record.low, record.high, record.direction, settings[record.settings]);
  const levels = calculator.levels(priceOf(record.prices[0]), priceOf(record.prices[1]), record.long);
  const levelBits = levels && levels.map(bitsOf);
  errors += shown.error ? 1 : 0;
  if (shown.error !== record.error || shown.text !== record.text ||
      JSON.stringify(levelBits) !== JSON.stringify(record.levels)) {
    mismatches.push({ case: record, wasm: { ...shown, levels: levelBits } });
  }
}
console.log(`${cases} cases (${errors} error reports), ${mismatches.length} mismatches`);
for (const mismatch of mismatches.slice(0, 5)) console.log(JSON.stringify(mismatch));
const status = await made;
process.exit(status === 0 && cases === COUNT && mismatches.length === 0 ? 0 : 1);
