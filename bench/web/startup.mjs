// Start-up figures of the web app, printed, not tested: the site's transfer size (each file
// gzipped, as a static host sends it), and the time from navigation to the window taking
// input (its script has run) and to the calculator ready (a click answered at once), against
// a blank page that only fetches and instantiates an empty WebAssembly module. Median of
// interleaved runs in headless Chromium, each in a fresh context (no cache, no service
// worker).
//   node bench/web/startup.mjs SITE_DIR NODE_MODULES_DIR [RUNS]
import { mkdtemp, readdir, readFile, rm, writeFile } from 'node:fs/promises';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { gzipSync } from 'node:zlib';
import { serve } from '../../app/web/serve.mjs';

const [site, modules, runsArgument = '11'] = process.argv.slice(2);
const runs = Number(runsArgument);
const puppeteer = createRequire(join(resolve(modules), 'node_modules/'))('puppeteer-core');

let total = 0;
const sizes = [];
for (const name of (await readdir(site)).sort()) {
  const size = gzipSync(await readFile(join(site, name)), { level: 9 }).length;
  sizes.push(`${name} ${(size / 1024).toFixed(1)}`);
  total += size;
}
console.log(`transfer, gzip -9: ${(total / 1024).toFixed(1)} KiB in all (${sizes.join(', ')} KiB)`);

// The floor: a blank page whose module script fetches and instantiates an empty module.
const blank = await mkdtemp(join(tmpdir(), 'levelwise-blank-'));
await writeFile(join(blank, 'index.html'), '<!DOCTYPE html><html><head><meta charset="utf-8"><title>blank</title>' +
  '<script type="module" src="blank.js"></script></head><body></body></html>\n');
await writeFile(join(blank, 'blank.js'), "await WebAssembly.instantiateStreaming(fetch('empty.wasm'));\n" +
  "performance.mark('levelwise-ready');\n");
await writeFile(join(blank, 'empty.wasm'), Buffer.from([0, 0x61, 0x73, 0x6d, 1, 0, 0, 0]));

const served = { levelwise: await serve(resolve(site)), blank: await serve(blank) };
const browser = await puppeteer.launch({
  headless: true, executablePath: '/usr/bin/chromium', userDataDir: await mkdtemp(join(tmpdir(), 'levelwise-profile-')),
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
         '--disable-component-update', '--disable-sync'],
});
const times = { levelwise: [], 'levelwise interactive': [], blank: [] };
for (let i = 0; i <= runs; i++) {
  for (const name of Object.keys(served)) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    await page.goto(served[name].url);
    const mark = await page.waitForFunction(() => performance.getEntriesByName('levelwise-ready')[0]?.startTime);
    const ms = await mark.jsonValue();
    const interactive = await page.evaluate(() => performance.getEntriesByName('levelwise-interactive')[0]?.startTime);
    if (i > 0) {  // the first round warms the browser up
      times[name].push(ms);
      if (interactive !== undefined) times['levelwise interactive'].push(interactive);
    }
    await context.close();
  }
}
await browser.close();
for (const { server } of Object.values(served)) server.close();
await rm(blank, { recursive: true, force: true });

const median = (values) => [...values].sort((a, b) => a - b)[values.length >> 1];
for (const [name, values] of Object.entries(times)) {
  console.log(`${name}: after ${median(values).toFixed(1)} ms median (${Math.min(...values).toFixed(1)}-` +
              `${Math.max(...values).toFixed(1)} ms, ${values.length} runs)`);
}
console.log(`levelwise / blank: ${(median(times.levelwise) / median(times.blank)).toFixed(2)} ready, ` +
            `${(median(times['levelwise interactive']) / median(times.blank)).toFixed(2)} interactive`);
