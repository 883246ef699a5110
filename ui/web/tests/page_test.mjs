// The web app's page as a user meets it, in a real browser: served from a sub-path of
// 127.0.0.1, driven with the keyboard and the mouse, checked against the window table.
// The window scenarios are the ones every front end's window test runs.
//   node page_test.mjs chromium|firefox|webkit SITE_DIR MAKE_WEB_CASES NODE_MODULES_DIR [ROWS]
// ROWS, a regular expression, runs only the rows whose names it matches.
import { mkdir, mkdtemp, readdir, readFile, rm, utimes, writeFile } from 'node:fs/promises';
import { execFileSync } from 'node:child_process';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { serve } from '../../../app/web/serve.mjs';
import { openBrowser } from './browsers.mjs';

const [engine, siteArgument, makeCases, modules, only] = process.argv.slice(2);
const site = resolve(siteArgument);
const work = await mkdtemp(join(tmpdir(), 'levelwise-web-'));

// The window table as the page is generated from it, and the shared window scenarios.
const [table, scenarios] = ['--table', '--scenarios'].map((what) => JSON.parse(execFileSync(makeCases, [what], { encoding: 'utf8' })));
const report = scenarios[0].text;  // the initial texts' report

const base = '/tools/levelwise/';
const requests = [];
// A request the test holds back: its path's answer waits until the test lets it go.
let held = null;
const record = (path) => {
  requests.push(path);
  return held && path.endsWith(held.file) ? held.promise : undefined;
};
let { server, url } = await serve(site, { base, onRequest: record });

// Stops the server, and serves the folder given (if any) at the same address, as serve() is
// told by `options`.
async function restart(folder, options = {}) {
  const closed = new Promise((done) => server.close(done));
  server.closeAllConnections();
  await closed;
  if (folder) {
    ({ server } = await serve(folder, { base, port: Number(new URL(url).port),
                                        onRequest: record, ...options }));
  }
}

// A copy of the site in a folder of its own: some files left out, index.html and sw.js
// changed, every file dated `age` ms back. Each file is copied and awaited by name: Node 18's
// fs.cp once left sw.js out of such a copy in a fresh Debian 12 root.
async function copySite(name, { without = [], change = (text) => text, age = 0 } = {}) {
  const folder = join(work, name);
  await mkdir(folder);
  const when = new Date(Date.now() - age);
  for (const file of (await readdir(site)).filter((f) => !without.includes(f))) {
    const text = await readFile(join(site, file));
    await writeFile(join(folder, file), ['index.html', 'sw.js'].includes(file) ? change(String(text), file) : text);
    await utimes(join(folder, file), when, when);
  }
  return folder;
}

const browser = await openBrowser(modules, engine, work);
const pages = [];

// A page showing the window in a viewport of the window's size (or the size given, as a
// touch screen if asked), in the given language.
// Ready once loaded with the focus on the button, which the page's script gives as it runs.
// (Given by autofocus until then, WebKit gave it at its first drawing, and one page that
// never drew, in a fresh Debian 12 root under load, stayed without it for 30 s.) A WebKit
// page not ready is started again once, with what it showed: whether it draws a frame,
// has the window's focus, and where its own focus is.
async function open(language = 'en-US', { width = table.client[0], height = table.client[1], touch = false,
                                           forcedColours = false } = {}) {
  for (let attempt = 1; ; attempt++) {
    const page = await browser.newPage({ language, width, height, touch, forcedColours });
    pages.push(page);
    await page.goto(url);
    try {
      await page.waitFor(() => document.readyState === 'complete' && document.activeElement.id === 'Command1');
      return page;
    } catch (error) {
      // What tells a page that never drew from one that drew without the focus: whether a
      // frame comes within a second, and whether the document has the window's focus.
      const state = await page.eval(() => new Promise((done) => {
        const seen = { state: document.readyState, focus: document.activeElement?.id,
                       visibility: document.visibilityState, windowFocus: document.hasFocus(), frame: false };
        requestAnimationFrame(() => done({ ...seen, frame: true }));
        setTimeout(() => done(seen), 1000);
      })).catch(String);
      if (engine !== 'webkit' || attempt === 2) throw new Error(`${error.message}: ${JSON.stringify(state)}`);
      console.log(`retry: webkit: a page not ready after its load (${JSON.stringify(state)}); started again`);
      await shut(page);
    }
  }
}
// In WebKit each page is a browser of its own, so each is closed as soon as it is done with.
async function shut(page) {
  pages.splice(pages.indexOf(page), 1);
  await page.close().catch(() => {});
}

const value = (page, id) => page.eval((i) => document.getElementById(i).value, id);
const active = (page) => page.eval(() => document.activeElement.closest('#Form1 > [id], #box')?.id ?? '');
async function setField(page, id, text) {
  await page.focus(`#${id}`);
  await page.eval((i) => document.getElementById(i).select(), id);
  await page.press('Backspace');
  if (text) await page.type(text);
  // Until the field holds what was typed, as far as it takes it.
  await page.waitFor((i, typed) => {
    const field = document.getElementById(i);
    return field.value === (field.maxLength >= 0 ? typed.slice(0, field.maxLength) : typed);
  }, id, text);
}
// The box after a click or tap on the button, or a key on a control: open, caption, text,
// warning sign, role.
async function press(page, how = 'click', on = '#Command1') {
  if (how === 'click' || how === 'tap') await page[how](on);
  else if (how !== 'none') {  // 'none': the box a press before opens
    await page.focus(on);
    await page.press(how);
  }
  await page.waitFor(() => document.querySelector('#box[open]')).catch(async (error) => {
    const state = await page.eval(() => ({ ready: performance.getEntriesByName('levelwise-ready').length > 0,
                                            focus: document.activeElement?.id })).catch(String);
    throw new Error(`${error.message}: ${JSON.stringify(state)}`);
  });
  return page.eval(() => {
    const box = document.getElementById('box');
    return {
      caption: box.querySelector('#box-title').textContent,
      text: box.querySelector('#box-text').textContent,
      warning: !box.querySelector('#box-icon').hidden,
      role: box.getAttribute('role'),
      modal: box.matches(':modal'),
      selectable: getComputedStyle(box.querySelector('#box-text')).userSelect !== 'none',
    };
  });
}
// Until the page has handled the box's "close" event, which the browser fires a task or a
// frame after the box has closed: the focus has settled by then.
const watchClose = (page) => page.eval(() => {
  window.boxClosed = false;
  document.getElementById('box').addEventListener('close', () => { window.boxClosed = true; }, { once: true });
  return true;
});
async function close(page, key = 'Escape') {
  await watchClose(page);
  await page.press(key);
  await page.waitFor(() => window.boxClosed);
}
// The site as if never visited: the offline copy the rows before left is gone.
const forgetOfflineCopy = (page) => page.eval(async () => {
  for (const registration of await navigator.serviceWorker.getRegistrations()) await registration.unregister();
  for (const name of await caches.keys()) await caches.delete(name);
  return true;
});
// A price of the longest shows whole in its field, unscrolled.
async function checkFits(page, where = '') {
  const longest = '9'.repeat(table.maxLength);
  await setField(page, 'Text1', longest);
  const [needed, room] = await page.eval(() => [Text1.scrollWidth, Text1.clientWidth]);
  check(`${where}${longest.length} digits fit the price field`, needed <= room, `${needed} px in ${room} px`);
  await setField(page, 'Text1', table.controls.find((control) => control.name === 'Text1').text);
}
const geometry = (page) => page.eval(() => {
  const form = document.getElementById('Form1').getBoundingClientRect();
  return Object.fromEntries([...document.querySelectorAll('#Form1 > [id]')].map((element) => {
    const box = element.getBoundingClientRect();
    return [element.id, [box.left - form.left, box.top - form.top, box.width, box.height]];
  }));
});
async function tabOrder(page) {
  await page.focus('#Command1');
  const order = [await active(page)];
  for (let i = 1; i < table.tabOrder.length; i++) {
    await page.press('Tab');
    order.push(await active(page));
  }
  return order;
}
// The text colour of each label and field, as drawn, against the window's; the button's
// caption in its own, its bevel light at the top and left and dark at the bottom and right.
async function checkColours(page, where = '') {
  const { text, caption, light, dark } = table.colours;
  const shown = await page.eval(() => Object.fromEntries(
    [...document.querySelectorAll('#Form1 label, #Form1 input')].map((e) => [e.id, getComputedStyle(e).color])));
  const wrong = Object.entries(shown).filter(([, colour]) => colour !== text);
  check(`${where}the labels' and fields' text in the window's ${text}`,
        Object.keys(shown).length === 6 && wrong.length === 0, JSON.stringify(wrong));
  const button = await page.eval(() => ((s) => [s.color, s.borderTopColor, s.borderLeftColor, s.borderBottomColor,
                                                s.borderRightColor])(getComputedStyle(Command1)));
  check(`${where}the button's caption in ${caption}, its bevel in ${light} and ${dark}`,
        same(button, [caption, light, light, dark, dark]), button.join(' / '));
}

let failures = 0;
function check(name, ok, detail = '') {
  console.log(`${ok ? 'ok' : 'FAILED'}: ${engine}: ${name}${ok || !detail ? '' : ` (${detail})`}`);
  if (!ok) failures++;
}
const same = (a, b) => JSON.stringify(a) === JSON.stringify(b);

const rows = [
  ['the window as the table gives it: places, texts, colours, tab order, fields\' length', async () => {
    const page = await open();
    const form = await page.eval(() => [Form1.clientWidth, Form1.clientHeight]);
    check(`client area ${form.join(' x ')}`, same(form, table.client), `not ${table.client.join(' x ')}`);
    const shown = await geometry(page);
    for (const control of table.controls) {
      check(`${control.name} at ${control.bounds.join(', ')}`, same(shown[control.name].map(Math.round), control.bounds),
            `shown at ${shown[control.name]}`);
    }
    for (const control of table.controls.filter((c) => c.focus && c.text)) {
      const text = await page.eval((i) => ((e) => (e.tagName === 'INPUT' ? e.value : e.textContent))(
        document.getElementById(i)), control.name === 'Combo1' ? 'Combo1-text' : control.name);
      check(`${control.name} shows "${control.text}"`, text === control.text, `shows "${text}"`);
    }
    await checkColours(page);
    // The focus starts on the button (open() waits for it there); Tab follows the table.
    const order = await tabOrder(page);
    check(`tab order ${order.join(', ')}`, same(order, table.tabOrder), `not ${table.tabOrder.join(', ')}`);
    const long = '123456789012345';
    await setField(page, 'Text1', long);
    const typed = await value(page, 'Text1');
    check(`typed ${long.length} characters, the field holds "${typed}"`, typed === long.slice(0, table.maxLength));
    await checkFits(page);
  }],
  // Enter held on the button: the repeats that follow the press that opened the box must not
  // close it before it is read. (Of the three drivers, Chromium's alone sends a key's repeats.)
  ...(engine === 'chromium' ? [['Enter held on the button', async () => {
    const page = await open();
    await page.down('Enter');
    await page.waitFor(() => document.getElementById('box').open);
    for (let i = 0; i < 5; i++) await page.down('Enter');
    await page.eval(() => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(() => done(true)))));
    check('Enter held: the box stays open through its repeats', await page.eval(() => document.getElementById('box').open));
    await page.up('Enter');
    await close(page);
  }]] : []),
  // A user who closes the box and clicks into a price before the browser's "close" event
  // (under load it comes late): the focus stays in the price, where the typing goes next.
  ['a field clicked as the box closes keeps the focus', async () => {
    const page = await open();
    await press(page);
    await watchClose(page);
    await page.eval(() => {
      document.getElementById('box-ok').click();
      document.getElementById('Text1').focus();
      return true;
    });
    await page.waitFor(() => window.boxClosed);
    check('a field clicked as the box closes keeps the focus', await active(page) === 'Text1', await active(page));
  }],
  // Two copies in two folders of one host are two apps.
  ...(engine === 'chromium' ? [['the installed app is the copy in its own folder', async () => {
    const page = await open();
    const id = await page.appId();
    check(`the app's id is the folder it is served from (${id})`, id === url, id);
  }]] : []),
  // High contrast takes the page's colours away: the chosen item must still stand out, and the
  // list's arrow stay an arrow.
  ...(engine === 'chromium' ? [['forced colours: the chosen item and the arrow', async () => {
    const page = await open('en-US', { forcedColours: true });
    await page.focus('#Combo1-text');
    await page.press('F4');
    await page.waitFor(() => !document.getElementById('Combo1-list').hidden);
    const look = await page.eval(() => {
      const items = [...document.querySelectorAll('#Combo1-list [role=option]')];
      // The colour behind an element: its own, or if clear, that of the nearest behind it.
      const behind = (element) => {
        const colour = getComputedStyle(element).backgroundColor;
        return /rgba\(.*, 0\)$/.test(colour) && element.parentElement ? behind(element.parentElement) : colour;
      };
      const colours = (item) => `${getComputedStyle(item).color} on ${behind(item)}`;
      const arrow = getComputedStyle(document.querySelector('#Combo1 .drop'), '::after');
      return { chosen: items.filter((item) => item.ariaSelected === 'true').map(colours),
               others: items.filter((item) => item.ariaSelected !== 'true').map(colours),
               arrow: [arrow.borderLeftColor, arrow.borderRightColor, arrow.borderTopColor] };
    });
    check('the chosen item in colours of its own', look.chosen.length === 1 && !look.others.includes(look.chosen[0]),
          JSON.stringify(look));
    const clear = 'rgba(0, 0, 0, 0)';
    check('the arrow a triangle: its sides clear, its top drawn', look.arrow[0] === clear && look.arrow[1] === clear &&
          look.arrow[2] !== clear, JSON.stringify(look.arrow));
  }]] : []),
  // axe-core's rules, on the window and on the box. The table's pale blue text on white is
  // the window's own design and stays: a contrast finding on it alone is allowed, by name.
  ['axe-core finds nothing, but the table\'s own text colour', async () => {
    const page = await open();
    await page.run(await readFile(join(modules, 'node_modules/axe-core/axe.min.js'), 'utf8'));
    const tableText = `#${table.colours.text.match(/\d+/g).map((v) => Number(v).toString(16).padStart(2, '0')).join('')}`;
    const audit = () => page.eval(async () => (await axe.run(document)).violations.map((violation) => ({
      id: violation.id,
      nodes: violation.nodes.map((node) => ({ target: node.target.join(' '), colour: node.any[0]?.data?.fgColor })) })));
    for (const [where, found] of [['the window', await audit()], ['the box', await press(page).then(audit)]]) {
      const allowed = (violation) => violation.id === 'color-contrast' &&
        violation.nodes.every((node) => node.colour === tableText && !node.target.startsWith('#box'));
      const named = found.filter(allowed).flatMap((violation) => violation.nodes.map((node) => node.target));
      const other = found.filter((violation) => !allowed(violation));
      check(`${where}: no violation (the table's colour ${tableText} on ${named.join(', ') || 'nothing'})`,
            other.length === 0, JSON.stringify(other));
    }
  }],
  // WCAG 2.2's least target for a pointer, 24 x 24 px: the list's items, and the arrow's
  // reach around its centre.
  ['with the mouse: the direction list\'s items and arrow are targets of 24 x 24 px', async () => {
    const page = await open();
    const missed = await page.eval(() => {
      const drop = document.querySelector('#Combo1 .drop');
      const box = drop.getBoundingClientRect();
      const [x, y] = [box.left + box.width / 2, box.top + box.height / 2];
      const corners = [[-11.5, -11.5], [11.5, -11.5], [-11.5, 11.5], [11.5, 11.5]];
      return corners.filter(([dx, dy]) => document.elementFromPoint(x + dx, y + dy) !== drop);
    });
    check('the arrow takes a click within 12 px of its centre', missed.length === 0, JSON.stringify(missed));
    await page.click('#Combo1 .drop');
    await page.waitFor(() => !document.getElementById('Combo1-list').hidden);
    const items = await page.eval(() => [...document.querySelectorAll('#Combo1-list [role=option]')].map((item) =>
      ((b) => [Math.round(b.width), Math.round(b.height)])(item.getBoundingClientRect())));
    check('each item 24 x 24 px or more', items.length === 2 && items.every(([w, h]) => w >= 24 && h >= 24),
          JSON.stringify(items));
  }],
  ['with the mouse: each label focuses its field, Enter closes the box after a click on its text', async () => {
    const page = await open();
    const pairs = await page.eval(() => [...document.querySelectorAll('#Form1 input[aria-labelledby]')]
      .map((field) => [field.getAttribute('aria-labelledby'), field.id]));
    for (const [label, field] of pairs) {
      await page.focus('#Command1');
      await page.click(`#${label}`);
      const focused = await page.eval(() => document.activeElement.id);
      check(`a click on ${label} focuses ${field}`, focused === field, `focus on "${focused}"`);
    }
    await press(page);
    await page.click('#box-text');  // as if to select it for copying
    await page.press('Enter');
    const closed = await page.waitFor(() => !document.getElementById('box').open).then(() => true, () => false);
    check('Enter closes the box after a click on its text', pairs.length === 3 && closed);
  }],
  // A language tag that Intl refuses, as WebKit reports the C locale of many minimal systems:
  // the browser's default number format, and the calculator works.
  ...(engine === 'webkit' ? [['the C locale\'s language tag', async () => {
    const page = await open('C');
    const box = await press(page);
    check('C: the report', box.text === report, box.text);
  }]] : []),
];
// The shared scenarios, a page for each language whose number settings they need; those for
// any under en-US. Each box is read, then closed by turns with Escape and with Enter.
for (const language of [...new Set(scenarios.map((row) => row.settings || 'en-US'))]) {
  rows.push([`the window scenarios under ${language}`, async () => {
    const page = await open(language);
    const before = await geometry(page);
    let closing = 'Escape';
    for (const row of scenarios.filter((r) => (r.settings || 'en-US') === language)) {
      if (await value(page, 'Text1') !== row.low) await setField(page, 'Text1', row.low);
      if (await value(page, 'Text2') !== row.high) await setField(page, 'Text2', row.high);
      if (row.downPresses) {
        await setField(page, 'Combo1-text', table.controls.find((c) => c.name === 'Combo1').text);
        for (let i = 0; i < row.downPresses; i++) await page.press('ArrowDown');
      } else if (await value(page, 'Combo1-text') !== row.direction) {
        await setField(page, 'Combo1-text', row.direction);
      }
      const on = row.control === 'Combo1' ? '#Combo1-text' : `#${row.control}`;
      if (row.shown === 'nothing') {
        // Every opening of the box counted, even one the same key closes again at once.
        await page.eval(() => {
          window.boxesOpened = 0;
          window.boxWatch ??= new MutationObserver(() => { window.boxesOpened += document.getElementById('box').open ? 1 : 0; });
          window.boxWatch.observe(document.getElementById('box'), { attributeFilter: ['open'] });
          return true;
        });
        await page.focus(on);
        await page.press(row.key);
        // Two drawn frames: a box the key opened would have opened by then.
        await page.eval(() => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(() => done(true)))));
        const opened = await page.eval(() => window.boxesOpened + (document.getElementById('box').open ? 1 : 0));
        check(`${row.name}: no box`, opened === 0, `opened ${opened} times`);
        if (await page.eval(() => document.getElementById('box').open)) await close(page);
      } else {
        const box = await press(page, row.control ? row.key : 'click', row.control ? on : '#Command1');
        check(`${row.name}: ${row.shown === 'error' ? 'the error report' : 'the box'} "${box.text.replace(/\n/g, ' | ')}"`,
              box.text === row.text && box.warning === (row.shown === 'error'), box.text);
        check(`${row.name}: a modal alert dialog captioned ${table.title}, its text selectable`,
              box.caption === table.title && box.role === 'alertdialog' && box.modal && box.selectable);
        await close(page, closing);
        check(`${row.name}: closed with ${closing}, focus back on the button`, await active(page) === 'Command1');
        closing = closing === 'Escape' ? 'Enter' : 'Escape';
      }
      const fields = [await value(page, 'Text1'), await value(page, 'Text2'), await value(page, 'Combo1-text')];
      check(`${row.name}: the fields as typed, the window as it was`,
            same(fields, [row.low, row.high, row.direction]) && same(await geometry(page), before), fields);
    }
  }]);
}
rows.push(
  ['nothing leaves the page, and no inline script', async () => {
    const page = await open();
    await press(page);
    await close(page);
    const outside = (await page.requests()).filter((address) => !address.startsWith(url));
    // WebKitGTK's browser itself now and then asks the host for /favicon.ico, whatever icon
    // the page names: not the page's request.
    const asked = requests.filter((path) => !(engine === 'webkit' && path === '/favicon.ico'));
    const stored = await page.eval(() => ({ cookies: document.cookie, local: localStorage.length,
      session: sessionStorage.length, inline: document.querySelectorAll('script:not([src])').length,
      policy: document.querySelector('meta[http-equiv=Content-Security-Policy]')?.content ?? '' }));
    check('no request beyond the site', outside.length === 0 && asked.every((path) => path.startsWith(base)),
          [...outside, ...asked.filter((path) => !path.startsWith(base))].join(' '));
    check('no cookie, nothing in local or session storage', !stored.cookies && !stored.local && !stored.session);
    check('a policy of its own origin only, no inline script',
          stored.inline === 0 && stored.policy.includes("default-src 'self'") && !stored.policy.includes('unsafe-inline'));
  }],
  // The calculator's module on a slow network, then on none: the button says it is busy while
  // it loads, a click waits for it, and a failed load says so in Hungarian and is tried again
  // on the next click.
  ['the calculator\'s module slow, then failing, then back', async () => {
    // Served without the worker, so that no offline copy answers for the network.
    const online = await copySite('no-worker', { without: ['sw.js'] });
    const broken = await copySite('no-module', { without: ['sw.js', 'levelwise.wasm'] });
    let page = await open();
    await forgetOfflineCopy(page);
    let release;
    held = { file: 'levelwise.wasm', promise: new Promise((done) => { release = done; }) };
    try {
      await restart(online);
      await page.reload();
      await page.waitFor(() => document.activeElement.id === 'Command1');
      const waiting = await page.eval(() => [Command1.getAttribute('aria-busy'), getComputedStyle(Command1).cursor]);
      check('while the module loads, the button is busy', same(waiting, ['true', 'progress']), JSON.stringify(waiting));
      await page.click('#Command1');
      release();
      let box = await press(page, 'none');
      check('a click before the module arrived is answered once it has', box.text === report, box.text);
      await close(page);
      release();
      held = null;
      // A page of its own: WebKitGTK 2.4x's memory cache could give a reloaded page the module
      // it had just loaded.
      await restart(broken);
      await shut(page);
      page = await open();
      box = await press(page);
      const idle = await page.eval(() => Command1.getAttribute('aria-busy'));
      check('a module that failed: a Hungarian report that says to try again, the button no longer busy',
            box.warning && box.text.startsWith('A számológép nem töltődött be') && box.text.includes('Számol') &&
            !/WebAssembly|HTTP|fetch|Failed|Error/.test(box.text) && idle !== 'true', `${box.text} (busy: ${idle})`);
      await close(page);
      await restart(online);
      box = await press(page);
      check('the module back, the next click loads it and calculates', box.text === report, box.text);
    } finally {
      release();
      held = null;
      await restart(site);
    }
  }],
  // As a plain static host serves it (Last-Modified only, the files a day old), so that the
  // browser keeps each file for a while without asking: a new version must reach a user who
  // had the old one all the same.
  ['offline after one visit, and a new version in place of the old on a plain host', async () => {
    const marked = (page) => page.eval(() => document.querySelector('meta[name=levelwise-test]')?.content ?? 'old');
    // A first visit from nothing: the rows before left an offline copy of their own.
    const page = await open();
    await forgetOfflineCopy(page);
    await restart(await copySite('old', { age: 24 * 3600 * 1000 }), { lastModified: true });
    await page.reload();
    await page.eval(() => navigator.serviceWorker.ready.then(() => true));
    await page.reload();
    await page.waitFor(() => document.readyState === 'complete');
    const controlled = await page.eval(() => Boolean(navigator.serviceWorker.controller));
    const first = await page.eval(() => caches.keys());
    await restart(null);
    await page.reload();
    let box = await press(page);
    check('the server gone, the page reloads and calculates', controlled && box.text === report, box.text);
    // The next version, deployed now: another cache name, as a changed file gives it, and a
    // page the test can tell from the old one.
    await restart(await copySite('next', { change: (text, file) => file === 'sw.js'
      ? text.replace(/levelwise-[0-9a-f]+/, 'levelwise-next')
      : text.replace('<title>', '<meta name="levelwise-test" content="next">\n<title>') }), { lastModified: true });
    try {
      await page.reload();  // the first open after the deployment finds the new version
      await page.waitFor(async () => (await caches.keys()).join() === 'levelwise-next');
      await page.reload();
      const shown = await marked(page);
      box = await press(page);
      check(`the second open shows the new version (${first} → levelwise-next), and calculates`,
            first.length === 1 && first[0] !== 'levelwise-next' && shown === 'next' && box.text === report,
            `${shown} page, ${box.text}`);
      await close(page);
      await restart(null);
      await page.reload();
      const offline = await marked(page);
      box = await press(page);
      check('the new version works offline', offline === 'next' && box.text === report, `${offline} page, ${box.text}`);
    } finally {
      await restart(site);
    }
  }],
);
// Puppeteer reads no accessibility tree from Firefox; WebKit's driver gives each element's
// role and name as its screen reader is told them.
if (engine !== 'firefox') {
  rows.push(['a screen reader is told each control\'s role and name', async () => {
    const page = await open();
    // The price fields are described by the hint beside them (WebKit's driver tells no
    // description).
    const expected = [['#Text1', 'textbox', table.labels.Text1, table.hint], ['#Text2', 'textbox', table.labels.Text2, table.hint],
                      ['#Combo1-text', 'combobox', table.labels.Combo1, ''], ['#Command1', 'button', table.controls.find((c) => c.name === 'Command1').text, ''],
                      ['#Image1', 'image', table.logo, ''], ['#Label7', 'heading', table.title, '']];
    for (const [selector, role, name, description] of expected) {
      const told = await page.role(selector);
      check(`${selector}: ${role} "${name}"${description && told.description !== undefined ? `, described "${description}"` : ''}`,
            told.role.replace(/^img$/, 'image') === role && told.name === name &&
            (told.description === undefined || told.description === description), JSON.stringify(told));
    }
    await press(page);
    const told = await page.role('#box');
    const described = await page.eval(() =>
      document.getElementById(document.getElementById('box').getAttribute('aria-describedby'))?.textContent ?? '');
    check('the box: an alert dialog named Levelwise, described by its text',
          told.role === 'alertdialog' && told.name === table.title && described === report,
          JSON.stringify({ ...told, described }));
  }]);
}

// Short screens: a 1366 x 768 laptop at 300 % and 400 % zoom, a phone in landscape. The page
// opens at its top, at the prices, and every control can be scrolled to.
const short = [['a laptop at 300 % zoom, 455 x 219', 455, 219, false], ['a laptop at 400 % zoom, 341 x 192', 341, 192, false],
               ...(engine === 'chromium' ? [['a phone in landscape, 568 x 320', 568, 320, true]] : [])];
for (const [name, width, height, touch] of short) {
  rows.push([`${name}: opens at its top, every control within reach`, async () => {
    const page = await open('hu-HU', { width, height, touch });
    const shown = await page.eval(() => ({
      scrolled: [scrollX, scrollY],
      unreachable: [...document.querySelectorAll('#Form1 > [id]')].filter((element) => {
        const box = element.getBoundingClientRect();
        return box.top + scrollY < 0 || box.left + scrollX < 0;
      }).map((element) => element.id) }));
    check(`${name}: the page opens at its top`, same(shown.scrolled, [0, 0]), `scrolled to ${shown.scrolled}`);
    check(`${name}: no control above or left of the page's reach`, shown.unreachable.length === 0,
          shown.unreachable.join(', '));
  }]);
}

// Phones and tablets: [name, width, height]. Chromium emulates a touch screen; WebKitGTK's
// browser has a fine pointer only, so it shows one phone size, narrower than the window.
const screens = { chromium: [['phone 320 x 568', 320, 568], ['phone 360 x 780', 360, 780],
                             ['phone 393 x 852', 393, 852], ['phone in landscape 852 x 393', 852, 393],
                             ['tablet 820 x 1180', 820, 1180]],
                  webkit: [['phone 360 x 780', 360, 780]] }[engine] ?? [];
for (const [name, width, height] of screens) {
  rows.push([`a ${name}: the window whole, legible and large enough for a finger`, async () => {
    const page = await open('hu-HU', { width, height, touch: true });
    const viewport = await page.eval(() => [innerWidth, document.documentElement.scrollWidth]);
    const shown = await geometry(page);
    const form = await page.eval(() => ((box) => [box.left, box.right, box.top + scrollY])(Form1.getBoundingClientRect()));
    check(`${name}: no sideways scrolling, the window within the screen (or below it, to scroll to)`,
          viewport[1] <= viewport[0] && form[0] >= 0 && form[1] <= viewport[0] && form[2] >= 0,
          JSON.stringify({ viewport, form }));
    const scale = table.touchScale;
    const scaled = width >= table.client[0] * scale;
    const where = (id) => shown[id].map((v) => Math.round(v / scale));
    if (scaled) {
      const wrong = table.controls.filter((c) => !same(where(c.name), c.bounds)).map((c) => c.name);
      check(`${name}: the table's window, ${scale} times its size`, wrong.length === 0, wrong.join(', '));
    } else {
      // One column: each control below the one before it in the table's reading order.
      const reading = [...table.controls].sort((a, b) => a.bounds[1] - b.bounds[1] || a.bounds[0] - b.bounds[0]);
      const out = reading.filter((c, i) => i > 0 && shown[c.name][1] < shown[reading[i - 1].name][1] +
                                                    shown[reading[i - 1].name][3] - 0.5);
      check(`${name}: one column, each label above its field`, out.length === 0, out.map((c) => c.name).join(', '));
    }
    const sizes = await page.eval(() => [...document.querySelectorAll('#Form1 > [id], #Form1 input, #Form1 li')]
      .map((e) => [e.id || e.textContent, e.tagName, parseFloat(getComputedStyle(e).fontSize)]));
    const small = sizes.filter(([, tag, size]) => size < (tag === 'INPUT' ? 16 : 12));
    check(`${name}: fields' text 16 px and more, every other text 12 px and more`, small.length === 0,
          JSON.stringify(small));
    const low = ['Text1', 'Text2', 'Combo1', 'Command1'].filter((id) => shown[id][3] < 32);
    check(`${name}: the fields and the button 32 px tall and more`, low.length === 0, low.join(', '));
    const missed = await page.eval((ids) => ids.filter((id) => {
      const box = document.getElementById(id).getBoundingClientRect();
      const hit = document.elementFromPoint(box.left + box.width / 2, box.top + box.height / 2);
      return hit?.closest('#Form1 > [id]')?.id !== id;
    }), table.tabOrder);
    check(`${name}: a tap at each control's centre reaches it`, missed.length === 0, missed.join(', '));
    check(`${name}: the same tab order`, same(await tabOrder(page), table.tabOrder));
    await checkColours(page, `${name}: `);
    await checkFits(page, `${name}: `);
    await page.tap('#Text2');
    check(`${name}: a tap on a field puts the focus there`, await active(page) === 'Text2');
    const box = await press(page, 'tap');
    const boxShown = await page.eval(() => {
      const dialog = document.getElementById('box').getBoundingClientRect();
      return { inside: dialog.left >= 0 && dialog.right <= innerWidth && dialog.top >= 0 && dialog.bottom <= innerHeight,
               text: parseFloat(getComputedStyle(document.getElementById('box-text')).fontSize),
               ok: document.getElementById('box-ok').getBoundingClientRect().height };
    });
    check(`${name}: a tap on the button shows the whole box, its text 12 px and more, its OK 32 px tall`,
          box.text === report && boxShown.inside && boxShown.text >= 12 && boxShown.ok >= 32,
          JSON.stringify(boxShown));
    await page.tap('#box-ok');
    await page.waitFor(() => document.querySelector('#box:not([open])'));
  }]);
}

try {
  for (const [name, run] of rows) {
    if (only && !new RegExp(only).test(name)) continue;
    try {
      await run();
    } catch (error) {
      check(name, false, error.stack);
    }
    for (const page of [...pages]) await shut(page);
  }
} finally {
  await browser.close().catch(() => {});
  server.close();
  await rm(work, { recursive: true, force: true });
}
console.log(failures ? `${failures} checks failed` : 'all checks passed');
process.exit(failures ? 1 : 0);
