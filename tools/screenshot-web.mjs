// Pictures of the web app for the README, as a phone and a desktop browser show it:
//   node tools/screenshot-web.mjs SITE_DIR NODE_MODULES_DIR OUT_DIR
// OUT_DIR gets window-web-phone.png (393 x 852, a touch screen, in Chromium) and, to look at,
// phone-320.png, landscape.png, landscape-568.png, zoom-300.png (a 1366 x 768 laptop at
// 300 %), box-320.png, forced-colours.png (high contrast, the direction list open),
// tablet-price.png (an 11-digit price), webkit.png and webkit-phone.png.
import { mkdir, mkdtemp, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { serve } from '../app/web/serve.mjs';
import { openBrowser } from '../ui/web/tests/browsers.mjs';

const [site, modules, out] = process.argv.slice(2).map((path) => resolve(path));
await mkdir(out, { recursive: true });
const work = await mkdtemp(join(tmpdir(), 'levelwise-pictures-'));
const { server, url } = await serve(site);
const shots = [['chromium', 'window-web-phone.png', 393, 852, true], ['chromium', 'phone-320.png', 320, 568, true],
               ['chromium', 'landscape.png', 852, 393, true], ['chromium', 'landscape-568.png', 568, 320, true],
               ['chromium', 'zoom-300.png', 455, 219, false], ['chromium', 'box-320.png', 320, 568, true, 'box'],
               ['chromium', 'forced-colours.png', 391, 276, false, 'list', true],
               ['chromium', 'tablet-price.png', 820, 1180, true, 'price'],
               ['webkit', 'webkit.png', 391, 276, false], ['webkit', 'webkit-phone.png', 360, 780, false]];
try {
  for (const [engine, name, width, height, touch, open, forcedColours] of shots) {
    const browser = await openBrowser(modules, engine, work);
    try {
      const page = await browser.newPage({ language: 'hu-HU', width, height, touch, forcedColours });
      await page.goto(url);
      // Loaded, the button focused, and two frames drawn since (WebKit paints a moment later).
      await page.waitFor(() => document.readyState === 'complete' && document.activeElement.id === 'Command1' &&
                               document.getElementById('Image1').complete);
      await page.eval(() => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done))));
      if (open === 'box') {
        await page.click('#Command1');
        await page.waitFor(() => document.querySelector('#box[open]'));
      } else if (open === 'price') {
        await page.focus('#Text1');
        await page.eval(() => Text1.select());
        await page.type('12345678901');
      } else if (open === 'list') {
        await page.focus('#Combo1-text');
        await page.press('F4');
        await page.waitFor(() => !document.getElementById('Combo1-list').hidden);
      }
      await page.screenshot(join(out, name));
      await page.close();
    } finally {
      await browser.close();
    }
  }
} finally {
  server.close();
  await rm(work, { recursive: true, force: true });
}
