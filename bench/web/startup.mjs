// Start-up figures of the web app, printed, not tested: the site's transfer size (each file
// gzipped, as a static host sends it), and the time from navigation to the window taking
// input (its script has run) and to the calculator ready (a click answered at once), against
// floors that only fetch and instantiate an empty WebAssembly module: a blank page, and the
// same window without the calculator (below). Median of interleaved runs in headless
// Chromium, each in a fresh context (no cache, no service worker), or in WebKit.
//   node bench/web/startup.mjs SITE_DIR NODE_MODULES_DIR [RUNS] [chromium|webkit]
import { mkdtemp, readdir, readFile, rm, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { gzipSync } from 'node:zlib';
import { serve } from '../../app/web/serve.mjs';
import { launchBrowser, openBrowser } from '../../ui/web/tests/browsers.mjs';

const [site, modules, runsArgument = '11', engine = 'chromium'] = process.argv.slice(2);
const runs = Number(runsArgument);

let total = 0;
const sizes = [];
for (const name of (await readdir(site)).sort()) {
  const size = gzipSync(await readFile(join(site, name)), { level: 9 }).length;
  sizes.push(`${name} ${(size / 1024).toFixed(1)}`);
  total += size;
}
console.log(`transfer, gzip -9: ${(total / 1024).toFixed(1)} KiB in all (${sizes.join(', ')} KiB)`);

// The floors, each a page whose module script fetches and instantiates an empty module:
// a blank page; the site's own page with the empty module in place of the calculator and its
// scripts (the same window, which any page showing it pays for: the goal's floor); and that
// without its style (the same controls, unstyled). The last two are cut from the site's page,
// so they follow the table.
const floorScript = "await WebAssembly.instantiateStreaming(fetch('empty.wasm'));\n" +
  "performance.mark('levelwise-ready');\n";
const emptyModule = Buffer.from([0, 0x61, 0x73, 0x6d, 1, 0, 0, 0]);
const page = await readFile(join(site, 'index.html'), 'utf8');
const styled = page.replace(/<link rel="preload"[^>]*>\n/g, '').replace(/<script[^>]*><\/script>\n/g, '')
  .replace('</head>', '<script type="module" src="floor.js"></script>\n</head>');
const controls = styled.replace(/<link rel="stylesheet"[^>]*>\n/g, '');
const identity = { 'manifest.webmanifest': null, 'levelwise.svg': null, 'icon-192.png': null, 'icon-512.png': null };
const floors = {
  blank: { 'index.html': '<!DOCTYPE html><html><head><meta charset="utf-8"><title>blank</title>' +
           '<script type="module" src="floor.js"></script></head><body></body></html>\n' },
  'same controls': { 'index.html': controls, 'logo.png': null, ...identity },
  'same window': { 'index.html': styled, 'logo.png': null, 'logo.svg': null, 'levelwise.css': null, 'hatch.png': null,
                   ...identity },
};
const served = { levelwise: await serve(resolve(site)) };
const folders = [];
for (const [name, files] of Object.entries(floors)) {
  const folder = await mkdtemp(join(tmpdir(), 'levelwise-floor-'));
  folders.push(folder);
  await writeFile(join(folder, 'floor.js'), floorScript);
  await writeFile(join(folder, 'empty.wasm'), emptyModule);
  for (const [file, text] of Object.entries(files)) {
    await writeFile(join(folder, file), text ?? await readFile(join(site, file)));
  }
  served[name] = await serve(folder);
}
// Chromium: a fresh context of one browser per run. WebKit: a fresh browser per run, driven
// through its WebDriver.
const profile = await mkdtemp(join(tmpdir(), 'levelwise-profile-'));
const browser = engine === 'webkit' ? await openBrowser(modules, engine, profile)
  : await launchBrowser(modules, 'chromium', profile);
async function load(address) {
  if (engine === 'webkit') {
    const page = await browser.newPage({ language: 'hu-HU', width: 800, height: 600 });
    try {
      await page.goto(address);
      return await page.waitFor(() => {
        const [ready, interactive] = ['levelwise-ready', 'levelwise-interactive'].map(
          (name) => performance.getEntriesByName(name)[0]?.startTime);
        return ready !== undefined && [ready, interactive];
      });
    } finally {
      await page.close();
    }
  }
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.goto(address);
  const mark = await page.waitForFunction(() => performance.getEntriesByName('levelwise-ready')[0]?.startTime);
  const interactive = await page.evaluate(() => performance.getEntriesByName('levelwise-interactive')[0]?.startTime);
  const ready = await mark.jsonValue();
  await context.close();
  return [ready, interactive];
}
const times = Object.fromEntries([...Object.keys(served), 'levelwise interactive'].map((name) => [name, []]));
for (let i = 0; i <= runs; i++) {
  for (const name of Object.keys(served)) {
    const [ms, interactive] = await load(served[name].url);
    if (i > 0) {  // the first round warms the browser up
      times[name].push(ms);
      if (interactive !== undefined && interactive !== null) times['levelwise interactive'].push(interactive);
    }
  }
}
await browser.close();
await rm(profile, { recursive: true, force: true });
for (const { server } of Object.values(served)) server.close();
for (const folder of folders) await rm(folder, { recursive: true, force: true });

const median = (values) => [...values].sort((a, b) => a - b)[values.length >> 1];
for (const [name, values] of Object.entries(times)) {
  console.log(`${name}: after ${median(values).toFixed(1)} ms median (${Math.min(...values).toFixed(1)}-` +
              `${Math.max(...values).toFixed(1)} ms, ${values.length} runs)`);
}
for (const floor of ['blank', 'same window']) {
  console.log(`levelwise / ${floor}: ${(median(times.levelwise) / median(times[floor])).toFixed(2)} ready, ` +
              `${(median(times['levelwise interactive']) / median(times[floor])).toFixed(2)} interactive`);
}
