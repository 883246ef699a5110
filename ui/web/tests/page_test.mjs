// The web app's page as a user meets it, in a real browser: served from a sub-path of
// 127.0.0.1, driven with the keyboard and the mouse, checked against the window table.
//   node page_test.mjs chromium|firefox SITE_DIR MAKE_PAGE_WASM NODE_MODULES_DIR
import { cp, mkdtemp, readFile, rm, writeFile } from 'node:fs/promises';
import { openSync, closeSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { serve } from '../../../app/web/serve.mjs';
import { runWasi } from '../../../app/web/wasi.mjs';
import { launchBrowser } from './browsers.mjs';

const [engine, siteArgument, makePage, modules] = process.argv.slice(2);
const site = resolve(siteArgument);
const work = await mkdtemp(join(tmpdir(), 'levelwise-web-'));

// The window table, as the generator of the page reads it.
const tableFile = join(work, 'table.json');
const out = openSync(tableFile, 'w');
await runWasi(makePage, ['--table'], { stdout: out });
closeSync(out);
const table = JSON.parse(await readFile(tableFile, 'utf8'));

const base = '/tools/levelwise/';
const requests = [];
let { server, url } = await serve(site, { base, onRequest: (path) => requests.push(path) });

// Stops the server, and serves the folder given (if any) at the same address.
async function restart(folder) {
  const closed = new Promise((done) => server.close(done));
  server.closeAllConnections();
  await closed;
  if (folder) {
    ({ server } = await serve(folder, { base, port: Number(new URL(url).port),
                                        onRequest: (path) => requests.push(path) }));
  }
}

const browser = await launchBrowser(modules, engine, await mkdtemp(join(work, 'profile-')));

// The page's language, which it reads from navigator.language: headless Chromium takes none
// from its command line or environment, so both engines are told per page (Chromium through
// CDP, Firefox through WebDriver BiDi, whose command puppeteer does not wrap yet).
async function setLanguage(page, language) {
  if (engine === 'chromium') {
    const session = await page.createCDPSession();
    await session.send('Emulation.setUserAgentOverride',
                       { userAgent: await browser.userAgent(), acceptLanguage: language });
    await session.send('Emulation.setLocaleOverride', { locale: language });
  } else {
    const context = page.mainFrame().browsingContext;
    await context.userContext.browser.session.send('emulation.setLocaleOverride',
                                                   { locale: language, contexts: [context.id] });
  }
}

// A page showing the window in a viewport of the window's size, in the given language.
async function open(language = 'en-US') {
  const page = await browser.newPage();
  await setLanguage(page, language);
  await page.setViewport({ width: table.client[0], height: table.client[1] });
  await page.goto(url, { waitUntil: 'load' });
  await page.waitForFunction(() => document.readyState === 'complete');
  return page;
}

const value = (page, id) => page.$eval(`#${id}`, (element) => element.value);
async function setField(page, id, text) {
  await page.focus(`#${id}`);
  await page.$eval(`#${id}`, (element) => element.select());
  await page.keyboard.press('Backspace');
  if (text) await page.keyboard.type(text);
}
// The box after a press of the button: open, caption, text, warning sign, role.
async function press(page, how = 'click') {
  if (how === 'click') await page.click('#Command1');
  else {
    await page.focus('#Command1');
    await page.keyboard.press(how);
  }
  await page.waitForSelector('#box[open]');
  return page.$eval('#box', (box) => ({
    caption: box.querySelector('#box-title').textContent,
    text: box.querySelector('#box-text').textContent,
    warning: !box.querySelector('#box-icon').hidden,
    role: box.getAttribute('role'),
    modal: box.matches(':modal'),
    selectable: getComputedStyle(box.querySelector('#box-text')).userSelect !== 'none',
  }));
}
async function close(page, key = 'Escape') {
  await page.keyboard.press(key);
  await page.waitForSelector('#box:not([open])');
}
const geometry = (page) => page.$$eval('#Form1 > [id]', (elements) => {
  const form = document.getElementById('Form1').getBoundingClientRect();
  return Object.fromEntries(elements.map((element) => {
    const box = element.getBoundingClientRect();
    return [element.id, [box.left - form.left, box.top - form.top, box.width, box.height].map(Math.round)];
  }));
});

const defaultReport = '38.2%-os korrekciós szint: 15669\n50.0%-os korrekciós szint: 15660\n' +
  '61.8%-os korrekciós szint: 15651';
let failures = 0;
function check(name, ok, detail = '') {
  console.log(`${ok ? 'ok' : 'FAILED'}: ${engine}: ${name}${ok || !detail ? '' : ` (${detail})`}`);
  if (!ok) failures++;
}
const same = (a, b) => JSON.stringify(a) === JSON.stringify(b);

const rows = [
  ['every control at its place and size in the table', async () => {
    const page = await open();
    const form = await page.$eval('#Form1', (element) => [element.clientWidth, element.clientHeight]);
    check(`client area ${form.join(' x ')}`, same(form, table.client), `not ${table.client.join(' x ')}`);
    const shown = await geometry(page);
    for (const control of table.controls) {
      check(`${control.name} at ${control.bounds.join(', ')}`, same(shown[control.name], control.bounds),
            `shown at ${shown[control.name]}`);
    }
    for (const control of table.controls.filter((c) => c.focus && c.text)) {
      const id = control.name === 'Combo1' ? 'Combo1-text' : control.name;
      const text = await page.$eval(`#${id}`, (e) => (e.tagName === 'INPUT' ? e.value : e.textContent));
      check(`${control.name} shows "${control.text}"`, text === control.text, `shows "${text}"`);
    }
  }],
  ['focus starts on the button and Tab follows the table', async () => {
    const page = await open();
    const order = [await page.evaluate(() => document.activeElement.id)];
    for (let i = 1; i < table.tabOrder.length; i++) {
      await page.keyboard.press('Tab');
      order.push(await page.evaluate(() => document.activeElement.closest('#Form1 > [id]').id));
    }
    check(`tab order ${order.join(', ')}`, same(order, table.tabOrder), `not ${table.tabOrder.join(', ')}`);
  }],
  ['the three kinds of box, and the window as it was after each', async () => {
    const page = await open();
    const before = await geometry(page);
    for (const [how, key] of [['click', 'Escape'], ['Enter', 'Enter'], [' ', 'Escape']]) {
      const box = await press(page, how);
      const pressed = how === ' ' ? 'Space' : how;
      check(`${pressed}: the report "${box.text.replace(/\n/g, ' | ')}"`, box.text === defaultReport && !box.warning);
      check(`${pressed}: a modal alert dialog captioned Levelwise, its text selectable`,
            box.caption === 'Levelwise' && box.role === 'alertdialog' && box.modal && box.selectable);
      await close(page, key);
      check(`${pressed}: closed with ${key}, focus back on the button`,
            await page.evaluate(() => document.activeElement.id) === 'Command1');
    }
    await setField(page, 'Text1', '');
    let box = await press(page);
    check('an empty field: "Az összes mező kitöltése kötelező"',
          box.text === 'Az összes mező kitöltése kötelező' && !box.warning, JSON.stringify(box));
    await close(page);
    await setField(page, 'Text1', 'abc');
    box = await press(page);
    check('a price that is no number: the error report with its warning sign',
          box.text === 'Típuseltérés: az ár nem szám.' && box.warning, JSON.stringify(box));
    await close(page, 'Enter');
    const fields = [await value(page, 'Text1'), await value(page, 'Text2'), await value(page, 'Combo1-text')];
    check('after the error report the fields are as they were', same(fields, ['abc', '15700', 'Long']), fields);
    check('after the error report the window is as it was', same(await geometry(page), before));
  }],
  ['fields take at most 11 characters; the direction steps with the arrow keys', async () => {
    const page = await open();
    const long = '123456789012345';
    await setField(page, 'Text1', long);
    const typed = await value(page, 'Text1');
    check(`typed ${long.length} characters, the field holds "${typed}"`, typed === long.slice(0, table.maxLength));
    await page.focus('#Combo1-text');
    await page.keyboard.press('ArrowDown');
    const chosen = await value(page, 'Combo1-text');
    await page.keyboard.press('ArrowUp');
    check(`Down chooses "${chosen}", Up "Long" again`, chosen === 'Short' && await value(page, 'Combo1-text') === 'Long');
    await setField(page, 'Text1', '15620');
    await setField(page, 'Combo1-text', 'Short');
    const box = await press(page);
    check('typed "Short": the levels the other way round', box.text.startsWith('38.2%-os korrekciós szint: 15651'),
          box.text);
  }],
  ['prices typed under the browser\'s language', async () => {
    const typing = [['hu-HU', '15620,5', true], ['en-US', '15620,5', false], ['de-CH', "15'620.5", true],
                    ['en-IN', '1,00,000', true], ['en-US', '1,00,000', false]];
    for (const [language, low, accepted] of typing) {
      const page = await open(language);
      await setField(page, 'Text1', low);
      const box = await press(page);
      check(`${language}: "${low}" ${accepted ? 'read' : 'refused'}`, box.warning !== accepted, box.text);
      await page.close();
    }
  }],
  ['nothing leaves the page, and no inline script', async () => {
    const page = await open();
    const outside = [];
    page.on('request', (request) => { if (!request.url().startsWith(url)) outside.push(request.url()); });
    await press(page);
    await close(page);
    const stored = await page.evaluate(() => ({ cookies: document.cookie, local: localStorage.length,
      session: sessionStorage.length, inline: document.querySelectorAll('script:not([src])').length,
      policy: document.querySelector('meta[http-equiv=Content-Security-Policy]')?.content ?? '' }));
    check('no request beyond the site', outside.length === 0 && requests.every((path) => path.startsWith(base)),
          [...outside, ...requests.filter((path) => !path.startsWith(base))].join(' '));
    check('no cookie, nothing in local or session storage', !stored.cookies && !stored.local && !stored.session);
    check('a policy of its own origin only, no inline script',
          stored.inline === 0 && stored.policy.includes("default-src 'self'") && !stored.policy.includes('unsafe-inline'));
  }],
  ['offline after one visit, and a new version in place of the old', async () => {
    const page = await open();
    await page.evaluate(() => navigator.serviceWorker.ready);
    await page.reload({ waitUntil: 'load' });
    const controlled = await page.evaluate(() => Boolean(navigator.serviceWorker.controller));
    const first = await page.evaluate(() => caches.keys());
    await restart(null);
    await page.reload({ waitUntil: 'load' });
    let box = await press(page);
    check('the server gone, the page reloads and calculates', controlled && box.text === defaultReport, box.text);
    // The next version: the same site under another cache name, as a changed file gives it.
    const next = join(work, 'next');
    await cp(site, next, { recursive: true });
    const worker = join(next, 'sw.js');
    await writeFile(worker, (await readFile(worker, 'utf8')).replace(/levelwise-[0-9a-f]+/, 'levelwise-next'));
    await restart(next);
    try {
      await page.evaluate(async () => (await navigator.serviceWorker.getRegistration()).update());
      await page.waitForFunction(async () => (await caches.keys()).join() === 'levelwise-next',
                                 { polling: 100, timeout: 10000 });
      await page.reload({ waitUntil: 'load' });
      box = await press(page);
      check(`the new version's offline copy replaced the old one (${first} → levelwise-next), and calculates`,
            first.length === 1 && first[0] !== 'levelwise-next' && box.text === defaultReport, box.text);
    } finally {
      await restart(site);
    }
  }],
];
if (engine === 'chromium') {
  rows.push(['the accessibility tree names every control', async () => {
    const page = await open();
    const names = (node, found = []) => {
      found.push(`${node.role}: ${node.name ?? ''}`);
      for (const child of node.children ?? []) names(child, found);
      return found;
    };
    let tree = names(await page.accessibility.snapshot());
    for (const expected of [...Object.values(table.labels).slice(0, 2).map((label) => `textbox: ${label}`),
                            `combobox: ${table.labels.Combo1}`, 'button: Számol', `image: ${table.logo}`]) {
      check(`"${expected}"`, tree.includes(expected), tree.join(' | '));
    }
    await press(page);
    tree = names(await page.accessibility.snapshot());
    check('the box: an alert dialog named Levelwise, its text read out',
          tree.includes('alertdialog: Levelwise') && tree.some((entry) => entry.includes('15669')), tree.join(' | '));
  }]);
}

try {
  for (const [name, run] of rows) {
    try {
      await run();
    } catch (error) {
      check(name, false, error.stack);
    }
  }
} finally {
  await browser.close().catch(() => {});
  server.close();
  await rm(work, { recursive: true, force: true });
}
console.log(failures ? `${failures} checks failed` : 'all checks passed');
process.exit(failures ? 1 : 0);
