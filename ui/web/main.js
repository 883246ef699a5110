// The page's window: the calculate button, the direction list and the message box, wired to
// the calculator module. The window itself is in the HTML, so it shows before the module has
// arrived; a click that comes first waits for it. The site serves it as one script with the
// calculator's loader, which build_site.mjs joins in front in place of this import.
import { pageCalculator, loadPageCalculator } from './calculator.js';

// The calculator as it loads; null after a failed load, until a click loads it again.
let calculator = pageCalculator;
// The moment the page is ready for a click answered at once, for the start-up figure.
calculator.then(() => performance.mark('levelwise-ready'), () => {});

// The browser's number settings for its language: decimal separator, group separator, and
// 1234567 as its format writes it, from which the calculator reads the group sizes (en-IN
// writes 12,34,567: sizes 3, 2). A language tag Intl refuses (WebKit reports the C locale of
// many minimal systems as "C") falls back to the browser's default format, then to en-US.
function numberSettings(language) {
  let parts;
  for (const tag of [language, undefined, 'en-US']) {
    try {
      parts = new Intl.NumberFormat(tag, { numberingSystem: 'latn', useGrouping: true }).formatToParts(1234567.5);
      break;
    } catch {
      // the next one
    }
  }
  const text = (type) => parts.filter((part) => part.type === type).map((part) => part.value);
  const sample = parts.filter((part) => part.type === 'integer' || part.type === 'group').map((part) => part.value);
  return { decimal: text('decimal')[0] ?? '.', group: text('group')[0] ?? '', sample: sample.join('') };
}

const field = (id) => document.getElementById(id);
const low = field('Text1');
const high = field('Text2');
const direction = field('Combo1-text');
const button = field('Command1');
const box = field('box');

// While the calculator loads, the button says it is busy: a click then waits for it. Once it
// has loaded, the offline copy is made (after one visit the page starts and calculates with no
// network); not sooner, so that its downloads do not hold up the first start.
function loading(calculation) {
  button.setAttribute('aria-busy', 'true');
  const idle = () => button.removeAttribute('aria-busy');
  calculation.then(() => {
    idle();
    if ('serviceWorker' in navigator) navigator.serviceWorker.register(new URL('sw.js', import.meta.url)).catch(() => {});
  }, idle);
  return calculation;
}
loading(calculator);

// The button has the focus from the start, as in the desktop window, but the page stays at its
// top: on a short screen the prices come first. (Autofocus would scroll down to the button.)
if (document.activeElement === document.body) button.focus({ preventScroll: true });

// The control that had the focus when the box opened: the button, or where a press came from.
let opener = null;
// The message box: modal, captioned with the program's name, the warning sign on the error
// report. Escape closes it as the browser's own dialogs do; Enter presses its OK button.
function showBox({ error, text }) {
  opener = document.activeElement;
  field('box-icon').hidden = !error;
  field('box-text').textContent = text;
  box.showModal();
  field('box-ok').focus();
}
field('box-ok').addEventListener('click', () => box.close());
// Enter closes the box wherever its focus is: a click on its text, to copy it, takes the focus
// away from OK.
document.addEventListener('keydown', (event) => {
  if (!box.open || event.key !== 'Enter' || event.repeat || event.target === field('box-ok')) return;
  event.preventDefault();
  box.close();
});
// Only a key pressed while the box is open counts: the repeats of Enter held on the button
// since before it opened would close it, the levels gone before they could be read.
box.addEventListener('keydown', (event) => { if (event.repeat) event.preventDefault(); }, { capture: true });

let running = false;
button.addEventListener('click', async () => {
  if (running || box.open) return;
  running = true;
  try {
    calculator ??= loading(loadPageCalculator(true));
    const outcome = (await calculator).calculate(low.value, high.value, direction.value,
                                                 numberSettings(navigator.language));
    showBox(outcome);
  } catch (failure) {
    // The browser's own words are for developers; the trader is told what to do, in Hungarian.
    console.error(failure);
    calculator = null;
    showBox({ error: true, text: 'A számológép nem töltődött be. Ellenőrizze a hálózati kapcsolatot, ' +
                                 `majd nyomja meg újra a „${button.textContent}” gombot.` });
  } finally {
    running = false;
  }
});
// The focus goes back to the button. The browser fires "close" a task or a frame after the box
// has closed, and by then the user may have clicked or tabbed on: only where the closing left
// the focus (on nothing, in the box, or back where it was) is it moved.
box.addEventListener('close', () => {
  const at = document.activeElement;
  if (!at || at === document.body || at === opener || box.contains(at)) button.focus();
});

// The direction field: typed in freely, or chosen from its list with the mouse or the keys.
const combo = field('Combo1');
const list = field('Combo1-list');
const items = [...list.querySelectorAll('[role=option]')];
function openList(open) {
  list.hidden = !open;
  direction.setAttribute('aria-expanded', String(open));
  for (const item of items) item.setAttribute('aria-selected', String(item.textContent === direction.value));
}
combo.querySelector('.drop').addEventListener('mousedown', (event) => {
  event.preventDefault();
  direction.focus();
  openList(list.hidden);
});
for (const item of items) {
  item.addEventListener('mousedown', (event) => {
    event.preventDefault();
    direction.value = item.textContent;
    openList(false);
  });
}
// The direction field's keys as the window's key rules give them, written on the field by
// the page's generator: "ArrowDown:next F4:list ...".
const keyActions = new Map(direction.dataset.keys.split(' ').map((rule) => rule.split(':')));
direction.addEventListener('keydown', (event) => {
  const action = keyActions.get(`${event.altKey ? 'Alt+' : ''}${event.key === ' ' ? 'Space' : event.key}`);
  const step = { next: 1, previous: -1 }[action];
  if (action === 'list') {
    openList(list.hidden);
  } else if (step) {
    const at = items.findIndex((item) => item.textContent === direction.value);
    const next = at < 0 ? 0 : Math.min(items.length - 1, Math.max(0, at + step));
    direction.value = items[next].textContent;
    if (!list.hidden) openList(true);
  } else if ((event.key === 'Escape' || event.key === 'Enter') && !list.hidden) {
    openList(false);  // as a list a browser opens closes on these
  } else {
    return;
  }
  event.preventDefault();
});
direction.addEventListener('blur', () => openList(false));

// The window takes typing and clicks from here on; a click before the calculator is ready
// waits for it.
performance.mark('levelwise-interactive');
