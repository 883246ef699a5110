// The Debian browsers, headless, as the page's tests and the start-up figures drive them:
// Chromium and Firefox through puppeteer-core from the given node_modules folder (no browser
// of its own downloaded), WebKit through its WebDriver on a private X server.
import { spawn } from 'node:child_process';
import { createRequire } from 'node:module';
import { mkdtemp, writeFile } from 'node:fs/promises';
import { createServer } from 'node:net';
import { join, resolve } from 'node:path';

// engine: 'chromium' or 'firefox'. Chromium is kept from the network beyond the page's own
// (no updates, sync or background fetches), so that nothing else runs beside the page.
export function launchBrowser(modules, engine, userDataDir) {
  const puppeteer = createRequire(join(resolve(modules), 'node_modules/'))('puppeteer-core');
  return puppeteer.launch({
    headless: true,
    userDataDir,
    ...(engine === 'chromium'
      ? { executablePath: '/usr/bin/chromium',
          args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--hide-scrollbars',
                 '--disable-background-networking', '--disable-component-update', '--disable-sync'] }
      : { browser: 'firefox', executablePath: '/usr/lib/firefox-esr/firefox-esr' }),
  });
}

const LIMIT_MS = 30000;
const sleep = (ms) => new Promise((done) => setTimeout(done, ms));

// Polls until `probe` answers with something truthy, which it returns.
async function until(probe, what, limit = LIMIT_MS) {
  const end = Date.now() + limit;
  for (;;) {
    const value = await probe();
    if (value) return value;
    if (Date.now() > end) throw new Error(`gave up waiting for ${what}`);
    await sleep(50);
  }
}

// A page in any of the three engines, with the few verbs the page's tests use:
//   eval(fn, ...args)   fn(...args) run in the page (it may be async); its JSON result
//   run(source)         a script's text run in the page, past its security policy
//   waitFor(fn, ...args) until eval is truthy
//   goto(url), reload(), click(selector), tap(selector), focus(selector)
//   press(key), type(text)   keys as puppeteer names them ('Enter', 'ArrowDown', ' ')
//   role(selector)      { role, name } as a screen reader is told
//   requests()          every address the page has asked for
//   appId()             the installed app's identity (Chromium)
//   screenshot(path)    the page as a PNG file
//   close()
export async function openBrowser(modules, engine, work) {
  return engine === 'webkit' ? openWebKit(work) : openPuppeteer(modules, engine, work);
}

async function openPuppeteer(modules, engine, work) {
  const browser = await launchBrowser(modules, engine, await mkdtemp(join(work, 'profile-')));
  // The language is set per page (Chromium through CDP, Firefox through WebDriver BiDi,
  // whose command puppeteer does not wrap yet): headless Chromium takes none from its
  // command line or environment.
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
  return {
    async newPage({ language, width, height, touch = false, forcedColours = false }) {
      const page = await browser.newPage();
      // High contrast as Windows gives it (Chromium's emulation).
      if (forcedColours) {
        await (await page.createCDPSession()).send('Emulation.setEmulatedMedia',
                                                   { features: [{ name: 'forced-colors', value: 'active' }] });
      }
      const asked = [];
      page.on('request', (request) => asked.push(request.url()));
      await setLanguage(page, language);
      // A touch screen: Chromium then matches (pointer: coarse) and sends taps as touches.
      await page.setViewport({ width, height, ...(touch ? { hasTouch: true, isMobile: true, deviceScaleFactor: 2 } : {}) });
      return {
        goto: (url) => page.goto(url, { waitUntil: 'load' }),
        reload: () => page.reload({ waitUntil: 'load' }),
        eval: (fn, ...args) => page.evaluate(fn, ...args),
        run: (source) => page.evaluate(source),
        waitFor: (fn, ...args) => page.waitForFunction(fn, { polling: 50, timeout: LIMIT_MS }, ...args),
        click: (selector) => page.click(selector),
        async tap(selector) {
          const box = await (await page.$(selector)).boundingBox();
          await page.touchscreen.tap(box.x + box.width / 2, box.y + box.height / 2);
        },
        focus: (selector) => page.focus(selector),
        press: (key) => page.keyboard.press(key),
        // A key held down: pressed again before it comes up, it repeats, as a keyboard does.
        down: (key) => page.keyboard.down(key),
        up: (key) => page.keyboard.up(key),
        type: (text) => page.keyboard.type(text),
        async role(selector) {
          const node = await page.accessibility.snapshot({ root: await page.$(selector), interestingOnly: false });
          return { role: node?.role ?? '', name: node?.name ?? '', description: node?.description ?? '' };
        },
        requests: async () => [...asked],
        // Chromium's id of the app the page installs as (CDP), which tells apps apart.
        appId: async () => (await (await page.createCDPSession()).send('Page.getAppId')).appId,
        screenshot: (path) => page.screenshot({ path, fullPage: true }),
        close: () => page.close(),
      };
    },
    close: () => browser.close(),
  };
}

// A free port on 127.0.0.1, as the system hands one out.
function freePort() {
  return new Promise((done, fail) => {
    const server = createServer().once('error', fail).listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => done(port));
    });
  });
}

// WebKit's keys for the WebDriver actions, where the key is no character of its own.
const WEBDRIVER_KEYS = { Enter: '\uE007', Escape: '\uE00C', Tab: '\uE004', Backspace: '\uE003',
                         ArrowUp: '\uE013', ArrowDown: '\uE015', F4: '\uE034' };
const MINIBROWSER = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';

// WebKitGTK's MiniBrowser, full screen (no toolbar, so the window's size is the page's) on an
// X server of its own, one WebDriver session per page. It takes its language from the
// environment, as the desktop's browsers do, so each page starts its own browser under the
// locale of the language asked for ('hu-HU' → hu_HU.UTF-8; 'C' → C.UTF-8).
async function openWebKit() {
  const xvfb = spawn('Xvfb', ['-displayfd', '3', '-noreset', '-nolisten', 'tcp', '-screen', '0', '1280x1024x24'],
                     { stdio: ['ignore', 'ignore', 'ignore', 'pipe'] });
  const display = await new Promise((done, fail) => {
    let text = '';
    xvfb.stdio[3].on('data', (chunk) => {
      text += chunk;
      if (text.includes('\n')) done(`:${text.trim()}`);
    });
    xvfb.once('exit', () => fail(new Error('no private X server could be started')));
  });
  const drivers = new Set();
  return {
    async newPage({ language, width, height }) {
      const locale = `${language.replace('-', '_')}.UTF-8`;
      let driver, base;
      for (let attempt = 0; ; attempt++) {  // a port handed out may be taken before the driver binds it
        const port = await freePort();
        base = `http://127.0.0.1:${port}`;
        driver = spawn('WebKitWebDriver', [`--port=${port}`], {
          stdio: 'ignore',
          env: { ...process.env, DISPLAY: display, LC_ALL: locale, LANG: locale, LANGUAGE: '' } });
        drivers.add(driver);
        const exited = new Promise((done) => driver.once('exit', () => done(false)));
        const ready = until(() => fetch(`${base}/status`).then((r) => r.ok, () => false), 'WebKitWebDriver');
        if (await Promise.race([ready, exited])) break;
        drivers.delete(driver);
        if (attempt === 4) throw new Error('WebKitWebDriver did not start');
        console.log(`retry: webkit: WebKitWebDriver did not start on port ${port}; another port`);
      }
      const call = async (method, path, body) => {
        const response = await fetch(`${base}${path}`, { method, headers: { 'content-type': 'application/json' },
                                                         body: body === undefined ? undefined : JSON.stringify(body) });
        const { value } = await response.json();
        if (!response.ok) throw new Error(`WebDriver ${path}: ${value?.error}: ${value?.message}`);
        return value;
      };
      const { sessionId } = await call('POST', '/session', { capabilities: { alwaysMatch: {
        'webkitgtk:browserOptions': { binary: MINIBROWSER, args: ['--automation', '--full-screen'] } } } });
      const session = (path, body, method = 'POST') => call(method, `/session/${sessionId}${path}`, body);
      const element = async (selector) => Object.values(
        await session('/element', { using: 'css selector', value: selector }))[0];
      const evaluate = async (fn, ...args) => {
        const { value, error } = await session('/execute/async', {
          script: `const done = arguments[arguments.length - 1];
                   Promise.resolve().then(() => (${fn})(...arguments[0])).then(
                     (value) => done({ value: JSON.parse(JSON.stringify(value ?? null)) }),
                     (error) => done({ error: String(error?.stack ?? error) }));`,
          args: [args] });
        if (error !== undefined) throw new Error(error);
        return value;
      };
      // WebKitGTK 2.54's driver answers before the page has handled the keys or the click it
      // sent, so each waits until the page has seen them: every key come up again, the click.
      const seen = (type) => evaluate((t) => {
        window.levelwiseSeen ??= {};
        if (window.levelwiseSeen[t] === undefined) {
          window.levelwiseSeen[t] = 0;
          addEventListener(t, () => window.levelwiseSeen[t]++, { capture: true });
        }
        return window.levelwiseSeen[t];
      }, type);
      const handled = (type, count, what) =>
        until(() => evaluate((t, n) => window.levelwiseSeen[t] >= n, type, count), what);
      const keys = async (list) => {
        const before = await seen('keyup');
        await session('/actions', { actions: [{ type: 'key', id: 'keyboard', actions: list.flatMap(
          (key) => [{ type: 'keyDown', value: key }, { type: 'keyUp', value: key }]) }] });
        await handled('keyup', before + list.length, 'the page to handle the keys');
      };
      // The window's outer size is the page's, as it is full screen.
      await session('/window/rect', { width, height });
      const page = {
        goto: (url) => session('/url', { url }),
        reload: () => session('/refresh', {}),
        eval: evaluate,
        run: (source) => session('/execute/sync', { script: source, args: [] }),
        waitFor: (fn, ...args) => until(() => evaluate(fn, ...args), `${fn}`),
        // A click on a page just shown once opened no box in a fresh Debian 13 root; a click
        // the page never saw is given once more, and said.
        async click(selector) {
          for (let attempt = 1; ; attempt++) {
            const before = await seen('click');
            await session(`/element/${await element(selector)}/click`, {});
            try {
              return await handled('click', before + 1, `the page to handle the click on ${selector}`);
            } catch (error) {
              if (attempt === 2) throw error;
              console.log(`retry: webkit: ${error.message}; clicked again`);
            }
          }
        },
        // WebKitGTK's driver has no touch input: a tap is a press of the mouse at the centre.
        async tap(selector) {
          const [x, y] = await evaluate((s) => {
            const box = document.querySelector(s).getBoundingClientRect();
            return [Math.round(box.left + box.width / 2), Math.round(box.top + box.height / 2)];
          }, selector);
          await session('/actions', { actions: [{ type: 'pointer', id: 'finger', parameters: { pointerType: 'mouse' },
            actions: [{ type: 'pointerMove', x, y, origin: 'viewport' }, { type: 'pointerDown', button: 0 },
                      { type: 'pointerUp', button: 0 }] }] });
        },
        focus: (selector) => evaluate((s) => document.querySelector(s).focus(), selector),
        press: (key) => keys([WEBDRIVER_KEYS[key] ?? key]),
        type: (text) => keys([...text]),
        async role(selector) {
          const id = await element(selector);
          return { role: await session(`/element/${id}/computedrole`, undefined, 'GET'),
                   name: await session(`/element/${id}/computedlabel`, undefined, 'GET') };
        },
        // No request events over WebDriver: the page's own record of what it fetched.
        requests: () => evaluate(() => [location.href,
          ...performance.getEntriesByType('resource').map((entry) => entry.name)]),
        screenshot: async (path) => writeFile(path, Buffer.from(await session('/screenshot', undefined, 'GET'), 'base64')),
        async close() {
          await session('', undefined, 'DELETE').catch(() => {});
          driver.kill();
          drivers.delete(driver);
        },
      };
      return page;
    },
    async close() {
      for (const driver of drivers) driver.kill();
      xvfb.kill();
    },
  };
}
