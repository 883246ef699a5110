// The Debian browsers, headless, as the page's tests and the start-up figures drive them:
// puppeteer-core from the given node_modules folder, no browser of its own downloaded.
import { createRequire } from 'node:module';
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
