// Writes the bill of materials of one download, in CycloneDX 1.5 JSON, beside it as
// DOWNLOAD.cdx.json. What it lists comes from what the build used, as this machine's dpkg
// knows it: names, versions and licences are read, never written here.
//   node app/release/bom.mjs DOWNLOAD --name NAME --version VERSION [--depends]
//                            [--linked MAP]... [--package NAME]... [--contains FILE]...
//     --depends        DOWNLOAD is a Debian package: each package its Depends names
//     --linked MAP     a linker's map or trace: each archive or object the link took in
//     --package NAME   a Debian package whose code the download carries (an installer's stub)
//     --contains FILE  a file the download carries, listed with its SHA-256
// The time is SOURCE_DATE_EPOCH's and the serial number follows from the download's bytes, so
// the same download gives the same bill.
import { createHash } from 'node:crypto';
import { execFileSync } from 'node:child_process';
import { readFileSync, realpathSync, writeFileSync } from 'node:fs';
import { basename, normalize } from 'node:path';
import { fileURLToPath } from 'node:url';

const root = fileURLToPath(new URL('../..', import.meta.url));

// Debian's short licence names (copyright format 1.0) and their SPDX identifiers.
const SPDX = new Map(Object.entries({
  'Apache-2.0': 'Apache-2.0', 'APACHE-2-LLVM-EXCEPTIONS': 'Apache-2.0 WITH LLVM-exception',
  'Artistic-2.0': 'Artistic-2.0', 'BSD-2-clause': 'BSD-2-Clause', 'BSD-3-clause': 'BSD-3-Clause',
  'BSD-4-clause': 'BSD-4-Clause', 'BSL-1.0': 'BSL-1.0', 'CC0-1.0': 'CC0-1.0', 'Expat': 'MIT',
  'MIT': 'MIT', 'GPL-2': 'GPL-2.0-only', 'GPL-2+': 'GPL-2.0-or-later', 'GPL-3': 'GPL-3.0-only',
  'GPL-3+': 'GPL-3.0-or-later', 'LGPL-2': 'LGPL-2.0-only', 'LGPL-2+': 'LGPL-2.0-or-later',
  'LGPL-2.1': 'LGPL-2.1-only', 'LGPL-2.1+': 'LGPL-2.1-or-later', 'LGPL-3': 'LGPL-3.0-only',
  'LGPL-3+': 'LGPL-3.0-or-later', 'ISC': 'ISC', 'MPL-2.0': 'MPL-2.0', 'OFL-1.1': 'OFL-1.1',
  'SIL-OFL-1.1': 'OFL-1.1', 'Zlib': 'Zlib', 'ZPL-2.1': 'ZPL-2.1', 'curl': 'curl',
  'GPL-3 with Qt-1.0 exception': 'GPL-3.0-only WITH Qt-GPL-exception-1.0',
  'GPL-3+ with GCC-Runtime-3.1 exception': 'GPL-3.0-or-later WITH GCC-exception-3.1',
}));

function parseArguments(argv) {
  const options = { download: argv[0], depends: false, linked: [], packages: [], contains: [] };
  for (let i = 1; i < argv.length; i++) {
    const flag = argv[i];
    const value = () => {
      if (i + 1 >= argv.length) throw new Error(`${flag} wants a value`);
      return argv[++i];
    };
    if (flag === '--name') options.name = value();
    else if (flag === '--version') options.version = value();
    else if (flag === '--depends') options.depends = true;
    else if (flag === '--linked') options.linked.push(value());
    else if (flag === '--package') options.packages.push(value());
    else if (flag === '--contains') options.contains.push(value());
    else throw new Error(`unknown option ${flag}`);
  }
  if (!options.download || !options.name || !options.version) {
    throw new Error('usage: bom.mjs DOWNLOAD --name NAME --version VERSION [evidence...]');
  }
  return options;
}

const run = (command, args) => execFileSync(command, args, { encoding: 'utf8' }).trim();
const sha256 = (path) => createHash('sha256').update(readFileSync(path)).digest('hex');

// The licence of a copyright file's "Files: *" paragraph, as SPDX where Debian's name has
// one; a file not in the machine-readable format is named as it stands.
function licenceOf(copyrightPath) {
  let text;
  try {
    text = readFileSync(copyrightPath, 'utf8');
  } catch {
    return [];
  }
  if (!/^Format: .*copyright-format/m.test(text)) {
    return [{ license: { name: `not machine-readable: see ${copyrightPath}` } }];
  }
  const paragraphs = text.split(/\n\s*\n/);
  const paragraph = paragraphs.find((p) => /^Files:\s*\*\s*$/m.test(p)) ?? paragraphs[0];
  const match = /^License:[ \t]*(.+)$/m.exec(paragraph);
  if (!match) return [];
  const raw = match[1].trim();
  const terms = raw.split(/\s+(or|and)\s+/i);
  const mapped = terms.map((term, index) => (index % 2 ? term.toUpperCase() : SPDX.get(term)));
  if (mapped.some((term) => term === undefined)) return [{ license: { name: raw } }];
  if (mapped.length === 1 && !mapped[0].includes(' ')) return [{ license: { id: mapped[0] } }];
  return [{ expression: mapped.join(' ') }];
}

// The Debian release this machine runs, as package URLs name it ("debian-12").
const distro = (() => {
  const release = /^VERSION_ID="?([^"\n]*)"?$/m.exec(readFileSync('/etc/os-release', 'utf8'));
  return release ? `debian-${release[1]}` : 'debian';
})();

// One Debian package as this machine's dpkg has it installed; asked once per package, as a
// link map names many files of the same one.
const packages = new Map();
function debianPackage(name) {
  if (!packages.has(name)) packages.set(name, readPackage(name));
  return packages.get(name);
}
function readPackage(name) {
  const [pkg, version, arch, source] = run('dpkg-query', ['-W', '-f=${Package}\t${Version}\t${Architecture}\t${source:Package}', name]).split('\t');
  const copyright = `/usr/share/doc/${pkg}/copyright`;
  return {
    type: 'library',
    'bom-ref': `pkg:deb/debian/${pkg}@${version}?arch=${arch}`,
    supplier: { name: 'Debian' },
    name: pkg,
    version,
    licenses: licenceOf(copyright),
    purl: `pkg:deb/debian/${pkg}@${encodeURIComponent(version)}?arch=${arch}&distro=${distro}` +
      (source && source !== pkg ? `&upstream=${source}` : ''),
  };
}

// The package whose file this is (dpkg -S), following links to the real file.
function owner(path) {
  for (const candidate of [path, realpathSync(path)]) {
    try {
      return run('dpkg-query', ['-S', candidate]).split(':')[0].split(',')[0].trim();
    } catch { /* not a packaged path: try the real one */ }
  }
  throw new Error(`no Debian package has ${path}`);
}

// What a link took in, from its map (GNU ld's or wasm-ld's): each archive one of whose
// members the map names ("libstdc++.a(ios_init.o)"), and each object it loaded, named by
// an absolute path (the project's own are relative). An archive
// that was only searched is not named so. Files of this project's own tree are left out.
function linkedFiles(text) {
  const files = new Set();
  for (const line of text.split('\n')) {
    for (const [, archive] of line.matchAll(/(?:^|\s)(\/[^\s():]+\.a)\(/g)) files.add(normalize(archive));
    for (const [, object] of line.matchAll(/(?:^|\s)(\/[^\s():]+\.o)(?=:|\s*$)/g)) files.add(normalize(object));
  }
  return [...files].filter((file) => !file.startsWith(root)).sort();
}

function bill(options) {
  const components = new Map();
  const add = (component) => components.set(component['bom-ref'], component);
  if (options.depends) {
    const depends = run('dpkg-deb', ['--field', options.download, 'Depends']);
    for (const clause of depends.split(',')) {
      // The first of alternatives, without its version constraint, as apt would take it.
      const name = clause.split('|')[0].trim().split(/\s|\(/)[0];
      if (name) add({ ...debianPackage(name), scope: 'required' });
    }
  }
  for (const map of options.linked) {
    for (const file of linkedFiles(readFileSync(map, 'utf8'))) {
      const pkg = debianPackage(owner(file));
      add({
        ...pkg,
        'bom-ref': `${pkg['bom-ref']}#${basename(file)}`,
        name: basename(file).replace(/\.(a|o|obj)$/, ''),
        group: pkg.name,
        description: `${file}, linked in, from the Debian package ${pkg.name}`,
        scope: 'required',
      });
    }
  }
  for (const name of options.packages) add({ ...debianPackage(name), scope: 'required' });
  for (const file of options.contains) {
    add({
      type: 'file',
      'bom-ref': `file:${basename(file)}`,
      name: basename(file),
      version: options.version,
      hashes: [{ alg: 'SHA-256', content: sha256(file) }],
    });
  }

  const digest = sha256(options.download);
  // A name-based UUID (version 5 layout) from the download's digest.
  const uuid = createHash('sha1').update(`levelwise.org/bom/${digest}`).digest();
  uuid[6] = (uuid[6] & 0x0f) | 0x50;
  uuid[8] = (uuid[8] & 0x3f) | 0x80;
  const hex = uuid.subarray(0, 16).toString('hex');
  const epoch = Number(process.env.SOURCE_DATE_EPOCH ?? NaN);
  if (!Number.isInteger(epoch)) throw new Error('SOURCE_DATE_EPOCH is not set');
  return {
    bomFormat: 'CycloneDX',
    specVersion: '1.5',
    serialNumber: `urn:uuid:${hex.slice(0, 8)}-${hex.slice(8, 12)}-${hex.slice(12, 16)}-${hex.slice(16, 20)}-${hex.slice(20)}`,
    version: 1,
    metadata: {
      timestamp: new Date(epoch * 1000).toISOString().replace('.000Z', 'Z'),
      component: {
        type: 'application',
        'bom-ref': `download:${basename(options.download)}`,
        name: options.name,
        version: options.version,
        description: basename(options.download),
        licenses: licenceOf(`${root}app/linux/debian/copyright`),
        hashes: [{ alg: 'SHA-256', content: digest }],
      },
    },
    components: [...components.values()].sort((a, b) => (a['bom-ref'] < b['bom-ref'] ? -1 : 1)),
    dependencies: [{
      ref: `download:${basename(options.download)}`,
      dependsOn: [...components.keys()].sort(),
    }],
  };
}

try {
  const options = parseArguments(process.argv.slice(2));
  const output = `${options.download}.cdx.json`;
  writeFileSync(output, `${JSON.stringify(bill(options), null, 2)}\n`);
  console.log(`bill of materials: ${basename(output)}`);
} catch (error) {
  console.error(`bom.mjs: ${error.message}`);
  process.exit(1);
}
