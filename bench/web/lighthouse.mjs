// Lighthouse's mobile audit of the web app (its default: a mid-range phone on a slow 4G
// network, simulated), in Debian's Chromium. Prints each category's score and any audit that
// did not pass in full; not a test.
//   npm ci --prefix bench/web        # lighthouse@12.2.3, pinned by bench/web's lock file
//   node --no-warnings bench/web/lighthouse.mjs SITE_DIR BROWSER_MODULES_DIR [RUNS]
// BROWSER_MODULES_DIR holds puppeteer-core (build/test/web-node after a test run), which
// starts the browser; Lighthouse drives it through its debugging port.
import { mkdtemp, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { serve } from '../../app/web/serve.mjs';
import { launchBrowser } from '../../ui/web/tests/browsers.mjs';

const [site, modules, runsArgument = '1'] = process.argv.slice(2);
const { default: lighthouse } = await import(new URL('node_modules/lighthouse/core/index.js', import.meta.url));
const profile = await mkdtemp(join(tmpdir(), 'levelwise-lighthouse-'));
const { server, url } = await serve(site);
const browser = await launchBrowser(modules, 'chromium', profile);
const port = Number(new URL(browser.wsEndpoint()).port);
try {
  for (let run = 1; run <= Number(runsArgument); run++) {
    const { lhr } = await lighthouse(url, { port, logLevel: 'error', output: 'json',
      onlyCategories: ['performance', 'accessibility', 'best-practices', 'seo'] });
    const scores = Object.values(lhr.categories).map((category) => `${category.title} ${Math.round(category.score * 100)}`);
    console.log(`Lighthouse ${lhr.lighthouseVersion}, ${lhr.configSettings.formFactor}, run ${run}: ${scores.join(', ')}`);
    const metrics = ['first-contentful-paint', 'largest-contentful-paint', 'total-blocking-time', 'cumulative-layout-shift',
                     'speed-index'].map((id) => `${lhr.audits[id].title} ${lhr.audits[id].displayValue}`);
    console.log(`  ${metrics.join(', ')}`);
    for (const audit of Object.values(lhr.audits)) {
      if (audit.score !== null && audit.score < 1 && audit.scoreDisplayMode !== 'informative' &&
          audit.scoreDisplayMode !== 'manual' && audit.scoreDisplayMode !== 'notApplicable') {
        console.log(`  not passed: ${audit.title} (${audit.displayValue ?? audit.score})`);
      }
    }
  }
} finally {
  await browser.close();
  server.close();
  await rm(profile, { recursive: true, force: true });
}
