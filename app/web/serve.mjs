// Serves the web app's folder on 127.0.0.1 only, as a static host would, with the page's
// security policy also sent as a header:
//   node app/web/serve.mjs SITE_DIR [--port N] [--base /sub/path/] [--last-modified]
// Without --port the system picks a free one; the address is printed. Each answer says
// "Cache-Control: no-cache"; with --last-modified it says only when the file last changed, as
// many plain hosts do, and browsers then keep a file for a while without asking again.
import { createServer } from 'node:http';
import { readFile, stat } from 'node:fs/promises';
import { extname, join, normalize, sep } from 'node:path';
import { pathToFileURL } from 'node:url';
import { promisify } from 'node:util';
import { gzip as zlibGzip } from 'node:zlib';

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.webmanifest': 'application/manifest+json',
  '.svg': 'image/svg+xml',
  '.png': 'image/png',
};
// The page's own policy, taken from its HTML, and what only a header can say: no framing.
// A folder whose page has none (a benchmark's blank page) is served without.
async function policyOf(site) {
  const page = await readFile(join(site, 'index.html'), 'utf8').catch(() => '');
  const policy = /http-equiv="Content-Security-Policy" content="([^"]*)"/.exec(page)?.[1];
  return policy ? { 'Content-Security-Policy': `${policy}; frame-ancestors 'none'` } : {};
}

// Each file compressed once, and again when its bytes change (a rebuilt site).
const compressed = new Map();
async function gzipped(file, body) {
  const known = compressed.get(file);
  if (known?.body.equals(body)) return known.gzip;
  const gzip = await promisify(zlibGzip)(body, { level: 9 });
  compressed.set(file, { body, gzip });
  return gzip;
}

// Resolves to { server, url } once listening. onRequest, if given, sees each request's path,
// and the answer waits for the promise it returns, if any (a slow network, for tests).
export async function serve(site, { port = 0, base = '/', onRequest, lastModified = false } = {}) {
  const policy = await policyOf(site);
  const server = createServer(async (request, response) => {
    const path = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    await onRequest?.(path);
    let file = null;
    if (path.startsWith(base)) {
      const relative = normalize(path.slice(base.length) || 'index.html');
      if (!relative.startsWith('..') && !relative.includes(`..${sep}`)) {
        file = join(site, relative.endsWith(sep) || relative === '.' ? 'index.html' : relative);
      }
    }
    try {
      if (!file) throw new Error('outside the site');
      let body = await readFile(file);
      let freshness = { 'Cache-Control': 'no-cache' };
      if (lastModified) {
        const changed = new Date((await stat(file)).mtime.toUTCString());
        const since = Date.parse(request.headers['if-modified-since'] ?? '');
        if (since >= changed.getTime()) {
          response.writeHead(304, { 'Last-Modified': changed.toUTCString() });
          response.end();
          return;
        }
        freshness = { 'Last-Modified': changed.toUTCString() };
      }
      // Compressed where the browser takes it, as a static host does; PNG is compressed already.
      const gzip = extname(file) !== '.png' && /\bgzip\b/.test(request.headers['accept-encoding'] ?? '');
      if (gzip) body = await gzipped(file, body);
      response.writeHead(200, {
        'Content-Type': TYPES[extname(file)] ?? 'application/octet-stream',
        ...(gzip ? { 'Content-Encoding': 'gzip' } : {}),
        Vary: 'Accept-Encoding',
        ...policy,
        ...freshness,
        'X-Content-Type-Options': 'nosniff',
      });
      response.end(body);
    } catch {
      response.writeHead(404, { 'Content-Type': 'text/plain; charset=utf-8' });
      response.end('not found\n');
    }
  });
  return new Promise((resolve) => {
    server.listen(port, '127.0.0.1', () => {
      resolve({ server, url: `http://127.0.0.1:${server.address().port}${base}` });
    });
  });
}

if (process.argv[1] && import.meta.url === pathToFileURL(process.argv[1]).href) {
  const [site, ...rest] = process.argv.slice(2);
  if (!site) {
    console.error('usage: serve.mjs SITE_DIR [--port N] [--base /sub/path/] [--last-modified]');
    process.exit(2);
  }
  const option = (name, fallback) => {
    const at = rest.indexOf(name);
    return at >= 0 ? rest[at + 1] : fallback;
  };
  const { url } = await serve(site, { port: Number(option('--port', 0)), base: option('--base', '/'),
                                lastModified: rest.includes('--last-modified') });
  console.log(`Levelwise is served at ${url} (Ctrl+C stops it)`);
}
