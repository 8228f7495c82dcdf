// The page's timings in headless Chromium, served from 127.0.0.1 by the
// browser tests' own server (no compression, no cache). Prints medians.
import { startServer, launch, SITE_DIR } from '../../tests/web/browser/harness.mjs';

const RUNS = Number(process.env.RUNS || 15);
const KEYS = Number(process.env.KEYS || 30);
const BODY_UNITS = 64 * 1024;

const median = (values) => {
    const sorted = [...values].sort((a, b) => a - b);
    const mid = sorted.length >> 1;
    return sorted.length % 2 ? sorted[mid] : (sorted[mid - 1] + sorted[mid]) / 2;
};
const ms = (value) => value.toFixed(1) + ' ms';
const spread = (values) => `min ${ms(Math.min(...values))}, max ${ms(Math.max(...values))}`;

// One page load in a fresh context: navigation start to the editor usable
// (the page sets data-ready and the mark "boxwright-ready" once the core is
// loaded and the controls drawn), and the bytes that came over the wire.
async function load(browser, url) {
    const context = await browser.createBrowserContext();
    try {
        const page = await context.newPage();
        const cdp = await page.createCDPSession();
        await cdp.send('Network.enable');
        await cdp.send('Network.setCacheDisabled', { cacheDisabled: true });
        // Over the wire only: the module's WebAssembly comes from a data: URL
        // inside boxwright-core.js, already counted with it.
        const fromServer = new Set();
        let transferred = 0;
        cdp.on('Network.requestWillBeSent', (event) => {
            if (event.request.url.startsWith(url)) {
                fromServer.add(event.requestId);
            }
        });
        cdp.on('Network.loadingFinished', (event) => {
            if (fromServer.has(event.requestId)) {
                transferred += event.encodedDataLength;
            }
        });
        await page.goto(url);
        await page.waitForSelector('body[data-ready="true"]');
        const times = await page.evaluate(() => {
            const navigation = performance.getEntriesByType('navigation')[0];
            return {
                ready: performance.getEntriesByName('boxwright-ready')[0].startTime,
                domContentLoaded: navigation.domContentLoadedEventEnd,
            };
        });
        return { ...times, transferred };
    } finally {
        await context.close();
    }
}

// A body of `units` UTF-16 units: lines of Japanese and ASCII text.
function longBody(units) {
    const line = 'ディスクの空きが少なくなっています。Please delete files you do not need. 0123456789\n';
    return line.repeat(Math.ceil(units / line.length)).slice(0, units);
}

// Keystrokes at the end of a 64 KiB body: from the key event's time stamp to
// the code view holding the new text (the page's input handler done), and to
// the next animation frame after that (the change painted).
async function keystrokes(browser, url) {
    const context = await browser.createBrowserContext();
    try {
        const page = await context.newPage();
        await page.goto(url);
        await page.waitForSelector('body[data-ready="true"]');
        await page.$eval('#body', (body, text) => {
            body.value = text;
            body.dispatchEvent(new Event('input', { bubbles: true }));
            body.focus();
            body.setSelectionRange(text.length, text.length);
        }, longBody(BODY_UNITS));
        const shown = await page.$eval('#code', (code) => code.value.length);
        if (shown < BODY_UNITS) {
            throw new Error('the code view does not show the long body');
        }
        await page.evaluate(() => {
            const code = document.getElementById('code');
            window.__latency = [];
            let pressed = null;
            window.addEventListener('keydown', (event) => { pressed = { at: event.timeStamp, length: code.value.length }; }, true);
            // Added after the page's own listener: runs once it has drawn.
            document.getElementById('body').addEventListener('input', () => {
                const start = pressed;
                const updated = start && performance.now() - start.at;
                if (!start || code.value.length <= start.length || !code.value.includes('x'.repeat(window.__latency.length + 1))) {
                    return;
                }
                requestAnimationFrame(() => {
                    const painted = performance.now() - start.at;
                    window.__latency.push({ updated, painted });
                });
            });
        });
        for (let i = 0; i < KEYS; i++) {
            await page.keyboard.press('x');
            await page.waitForFunction((n) => window.__latency.length === n, { polling: 'raf' }, i + 1);
        }
        const bodyLength = await page.$eval('#body', (body) => body.value.length);
        if (bodyLength !== BODY_UNITS + KEYS) {
            throw new Error(`the body holds ${bodyLength} units, not ${BODY_UNITS + KEYS}`);
        }
        return page.evaluate(() => window.__latency);
    } finally {
        await context.close();
    }
}

const { server, url } = await startServer(SITE_DIR);
const browser = await launch();
try {
    const version = await browser.version();
    console.log(`${version}, site ${SITE_DIR}`);

    await load(browser, url);  // warm-up: the browser's first page, not counted
    const loads = [];
    for (let i = 0; i < RUNS; i++) {
        loads.push(await load(browser, url));
    }
    const ready = loads.map((l) => l.ready);
    console.log(`(a) time to interactive, median of ${RUNS}: ${ms(median(ready))}  (${spread(ready)}; goal <= 300 ms)`);
    console.log(`    DOMContentLoaded, median: ${ms(median(loads.map((l) => l.domContentLoaded)))}`);
    console.log(`    transferred by a load (uncompressed as served, headers included): ${median(loads.map((l) => l.transferred))} bytes`);

    const latency = await keystrokes(browser, url);
    const updated = latency.map((l) => l.updated);
    const painted = latency.map((l) => l.painted);
    console.log(`(c) keystroke in a ${BODY_UNITS}-unit body to the code view updated, median of ${KEYS}: ${ms(median(updated))}  (${spread(updated)}; goal <= 16 ms)`);
    console.log(`    to the next frame after it: ${ms(median(painted))}  (${spread(painted)})`);
} finally {
    await browser.close();
    server.close();
}
