// Puts the web app together in one folder, from the WebAssembly build and the sources:
//   node app/web/build_site.mjs WASM_BUILD_DIR SITE_DIR
// make_page.wasm writes the page's window from the shared table; the calculator module, the
// scripts, the style, the pictures and the offline copy's service worker join it. Every URL
// in the site is relative, so it can be served from any folder of any static host.
import { createHash } from 'node:crypto';
import { copyFile, mkdir, readdir, readFile, rm, writeFile } from 'node:fs/promises';
import { join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { runWasi } from './wasi.mjs';

const [wasmBuild, siteArgument] = process.argv.slice(2);
if (!wasmBuild || !siteArgument) {
  console.error('usage: build_site.mjs WASM_BUILD_DIR SITE_DIR');
  process.exit(2);
}
const root = fileURLToPath(new URL('../..', import.meta.url));
const site = resolve(siteArgument);
await rm(site, { recursive: true, force: true });
await mkdir(site, { recursive: true });

// The generator, a WASI command, sees the site folder as /site and nothing else.
if (await runWasi(join(wasmBuild, 'ui/web/make_page.wasm'), ['/site'], { preopens: { '/site': site } }) !== 0) {
  throw new Error('make_page could not write the page');
}

const copies = [
  [join(wasmBuild, 'ui/web/levelwise.wasm'), 'levelwise.wasm'],
  ...['warning.svg', 'main.js', 'calculator.js'].map((name) => [join(root, 'ui/web', name), name]),
  ...['logo.png', 'hatch.png', 'icon-192.png', 'icon-512.png', 'levelwise.svg'].map((name) => [join(root, 'app/art', name), name]),
];
for (const [from, to] of copies) await copyFile(from, join(site, to));
// One style sheet: the page's own look, then the window's places from the table.
const layout = join(site, 'layout.css');
await writeFile(join(site, 'levelwise.css'),
                (await readFile(join(root, 'ui/web/levelwise.css'), 'utf8')) + '\n' + (await readFile(layout, 'utf8')));
await rm(layout);

// The service worker caches the whole site under a name that changes with its contents.
const files = (await readdir(site)).sort();
const hash = createHash('sha256');
for (const name of files) hash.update(name).update(await readFile(join(site, name)));
const worker = (await readFile(join(root, 'app/web/sw.js.in'), 'utf8'))
  .replace('@CACHE@', `levelwise-${hash.digest('hex').slice(0, 16)}`)
  .replace('@FILES@', JSON.stringify(['./', ...files]));
await writeFile(join(site, 'sw.js'), worker);
console.log(`web app in ${site}: ${files.length + 1} files`);
