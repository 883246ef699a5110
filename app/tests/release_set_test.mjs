// Checks a release set as an organisation that vets what it deploys would: every file's digest
// in SHA256SUMS, a bill of materials beside each download that the CycloneDX library's strict
// validator accepts, whose subject is that download, and which lists what the download carries.
//   node release_set_test.mjs SET NODE_FOLDER VERSION
// NODE_FOLDER holds the test run's npm packages (node_modules/ at the lock file's versions).
import { createHash } from 'node:crypto';
import { readFileSync, readdirSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join, resolve } from 'node:path';

const [set, nodeFolder, version] = process.argv.slice(2);
if (!set || !nodeFolder || !version) {
  console.error('usage: release_set_test.mjs SET NODE_FOLDER VERSION');
  process.exit(2);
}
const { Validation } = createRequire(join(resolve(nodeFolder), 'node_modules/'))('@cyclonedx/cyclonedx-library');
// CycloneDX 1.5, by the version's own name (the library's enum holds the same string).
const validator = new Validation.JsonStrictValidator('1.5');

let failures = 0;
const check = (ok, what) => {
  console.log(`${ok ? 'ok' : 'FAILED'}: ${what}`);
  if (!ok) failures++;
};
const sha256 = (path) => createHash('sha256').update(readFileSync(path)).digest('hex');

// Each download, and the components its bill must name: a name, or group/name where the
// Debian package matters (the runtime libraries a static link took in).
const windows = ['g++-mingw-w64-x86-64-posix/libstdc++', 'gcc-mingw-w64-x86-64-posix/libgcc',
  'gcc-mingw-w64-x86-64-posix/libssp', 'mingw-w64-x86-64-dev/libpthread',
  'mingw-w64-x86-64-dev/libmingwex', 'mingw-w64-x86-64-dev/libmsvcrt'];
const downloads = [
  [`levelwise_${version}_amd64.deb`, ['libqt6widgets6', 'libqt6gui6', 'libc6', 'fonts-liberation2', 'qt6-wayland']],
  ['Levelwise.exe', windows],
  [`Levelwise-${version}-win64-setup.exe`, ['Levelwise.exe', 'nsis-common', ...windows]],
  [`Levelwise-${version}-win64.msi`, ['Levelwise.exe', ...windows]],
  [`Levelwise-${version}-win64.zip`, ['Levelwise.exe', ...windows]],
  [`levelwise-${version}-web.tar.gz`, ['libc++-22-dev-wasm32/libc++', 'wasi-libc/libc',
    'libclang-rt-22-dev-wasm32/libclang_rt.builtins-wasm32']],
];

// SHA256SUMS names every other file of the set, each with its digest.
const sums = new Map(readFileSync(join(set, 'SHA256SUMS'), 'utf8').trim().split('\n')
  .map((line) => line.split(/ [ *]/)).map(([digest, name]) => [name, digest]));
// Walked by hand, the same on every Node.js the test run meets (18 and 20).
const walk = (folder, prefix = '') => readdirSync(join(set, folder), { withFileTypes: true })
  .flatMap((entry) => (entry.isDirectory() ? walk(join(folder, entry.name), `${prefix}${entry.name}/`)
                                           : [`${prefix}${entry.name}`]));
const files = walk('').filter((name) => name !== 'SHA256SUMS');
check(files.length === sums.size && files.every((name) => sums.get(name) === sha256(join(set, name))),
      `SHA256SUMS holds the digest of each of the ${files.length} files`);
for (const [download] of downloads) check(sums.has(download), `the set holds ${download}`);

for (const [download, expected] of downloads) {
  const text = readFileSync(join(set, `${download}.cdx.json`), 'utf8');
  const errors = await validator.validate(text);
  check(errors === null, `${download}.cdx.json: valid CycloneDX 1.5 (strict)${errors ? `: ${JSON.stringify(errors).slice(0, 600)}` : ''}`);
  const bill = JSON.parse(text);
  const subject = bill.metadata.component;
  check(subject.hashes?.[0]?.content === sha256(join(set, download)) && subject.version === version,
        `${download}.cdx.json: about ${download}, version ${version}`);
  const named = new Set(bill.components.flatMap((c) => [c.name, `${c.group}/${c.name}`]));
  const missing = expected.filter((name) => !named.has(name));
  check(missing.length === 0, `${download}.cdx.json: lists ${expected.join(', ')}${missing.length ? ` (missing ${missing.join(', ')})` : ''}`);
  const unversioned = bill.components.filter((c) => !c.version || (c.type !== 'file' && !/^pkg:deb\/debian\/[^@]+@[^?]+\?arch=/.test(c.purl)));
  check(unversioned.length === 0, `${download}.cdx.json: every component has a version, and a Debian package URL unless it is a file`);
}

// The validator really is strict: a licence id SPDX does not have is refused.
const broken = JSON.parse(readFileSync(join(set, 'Levelwise.exe.cdx.json'), 'utf8'));
broken.metadata.component.licenses = [{ license: { id: 'Not-A-Licence-1.0' } }];
check(await validator.validate(JSON.stringify(broken)) !== null, 'a bill with an unknown licence id is refused');

console.log(`${failures === 0 ? 'all' : failures} checks ${failures === 0 ? 'passed' : 'failed'}`);
process.exit(failures === 0 ? 0 : 1);
