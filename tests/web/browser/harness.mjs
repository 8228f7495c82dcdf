// What the browser tests share: a static server for the site, headless
// Chromium, the page's helpers, and the core itself in node to compute what
// the page should show and write.
import assert from 'node:assert/strict';
import http from 'node:http';
import fs from 'node:fs';
import path from 'node:path';
import os from 'node:os';
import { createRequire } from 'node:module';
import puppeteer from 'puppeteer-core';

const require = createRequire(import.meta.url);

export const SITE_DIR = path.resolve(process.env.SITE_DIR || path.join(import.meta.dirname ?? '.', '../../../build-web/site'));
export const SHOTS_DIR = process.env.SHOTS_DIR || '/tmp/web-shots';

const TYPES = {
    '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8',
    '.css': 'text/css; charset=utf-8', '.png': 'image/png', '.svg': 'image/svg+xml',
};

// Serves SITE_DIR on 127.0.0.1 (a secure context, like https).
export function startServer(dir = SITE_DIR) {
    const server = http.createServer((request, response) => {
        const url = new URL(request.url, 'http://127.0.0.1');
        const name = url.pathname === '/' ? '/index.html' : decodeURIComponent(url.pathname);
        const file = path.join(dir, path.normalize(name));
        if (!file.startsWith(dir + path.sep) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
            response.writeHead(404).end();
            return;
        }
        response.writeHead(200, {
            'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream',
            'Cache-Control': 'no-store',
        });
        fs.createReadStream(file).pipe(response);
    });
    return new Promise((resolve) => {
        server.listen(0, '127.0.0.1', () => {
            resolve({ server, url: `http://127.0.0.1:${server.address().port}/` });
        });
    });
}

export async function launch() {
    const args = ['--lang=ja-JP', '--disable-gpu', '--font-render-hinting=none'];
    if (process.getuid && process.getuid() === 0) {
        args.push('--no-sandbox');
    }
    return puppeteer.launch({
        executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
        headless: true,
        args,
        defaultViewport: { width: 1100, height: 900 },
    });
}

// A fresh page on the site, ready when the core is loaded. Records script
// errors, requests leaving the site and Content-Security-Policy violations.
// saveMode: 'picker' (a recording File System Access picker), 'download' (no
// picker: the page downloads), 'folder' (a recording folder picker, its
// folder holding the files of `folderFiles`) or 'native'.
export async function openPage(browser, siteUrl, { saveMode = 'native', folderFiles = {} } = {}) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    const problems = [];
    page.on('pageerror', (error) => problems.push('pageerror: ' + error.message));
    page.on('console', (message) => {
        if (message.type() === 'error') {
            problems.push('console: ' + message.text());
        }
    });
    page.on('request', (request) => {
        const url = request.url();
        if (!url.startsWith(siteUrl) && !url.startsWith('data:') && !url.startsWith('blob:')) {
            problems.push('outside request: ' + url);
        }
    });
    await page.evaluateOnNewDocument((mode, existing) => {
        window.__csp = [];
        document.addEventListener('securitypolicyviolation', (e) => {
            window.__csp.push(e.violatedDirective + ' ' + e.blockedURI);
        });
        // The browser's open picker only where a test gives one: elsewhere 開く
        // uses the file input, which the tests fill.
        Object.defineProperty(window, 'showOpenFilePicker', { value: undefined, configurable: true });
        if (mode === 'picker') {
            window.__saved = [];
            // An open picker that hands out window.__toOpen {name, text}, whose
            // handle records what is written back to it.
            window.showOpenFilePicker = async () => {
                const { name, text } = window.__toOpen;
                return [{
                    name,
                    getFile: async () => new File([text], name),
                    queryPermission: async () => 'granted',
                    createWritable: async () => {
                        const chunks = [];
                        return {
                            write: async (data) => { chunks.push(...new Uint8Array(data)); },
                            close: async () => { window.__writtenBack = { name, bytes: chunks }; },
                        };
                    },
                }];
            };
            window.showSaveFilePicker = async (options) => ({
                name: options.suggestedName,
                createWritable: async () => {
                    const chunks = [];
                    return {
                        write: async (data) => { chunks.push(...new Uint8Array(data)); },
                        close: async () => { window.__saved.push({ name: options.suggestedName, bytes: chunks }); },
                    };
                },
            });
        } else if (mode === 'folder') {
            // name → array of bytes; what the page writes replaces an entry.
            window.__folder = Object.fromEntries(Object.entries(existing).map(([name, text]) => [name, [...new TextEncoder().encode(text)]]));
            const notFound = () => Object.assign(new Error('not found'), { name: 'NotFoundError' });
            window.showDirectoryPicker = async () => ({
                name: 'out',
                getFileHandle: async (name, options = {}) => {
                    if (!(name in window.__folder) && !options.create) {
                        throw notFound();
                    }
                    return {
                        name,
                        createWritable: async () => {
                            const chunks = [];
                            return {
                                write: async (data) => { chunks.push(...new Uint8Array(data)); },
                                close: async () => { window.__folder[name] = chunks; },
                            };
                        },
                    };
                },
            });
        }
        if (mode === 'download') {
            Object.defineProperty(window, 'showSaveFilePicker', { value: undefined, configurable: true });
            Object.defineProperty(window, 'showDirectoryPicker', { value: undefined, configurable: true });
        }
    }, saveMode, folderFiles);
    await page.goto(siteUrl);
    await page.waitForSelector('body[data-ready]');
    const ready = await page.$eval('body', (b) => b.dataset.ready);
    if (ready !== 'true') {
        const status = await page.$eval('#load-status', (e) => e.textContent);
        throw new Error('the page did not start: ' + status + '\n' + problems.join('\n'));
    }
    page.problems = problems;
    page.cspViolations = () => page.evaluate(() => window.__csp);
    page.closeAll = () => context.close();
    return page;
}

// ---- The core in node -------------------------------------------------------

let corePromise = null;
export function nodeCore() {
    if (!corePromise) {
        const create = require(path.join(SITE_DIR, 'boxwright-core.js'));
        corePromise = create();
    }
    return corePromise;
}

const crlf = (text) => text.replace(/\r?\n/g, '\r\n');

// A definition's steps on a core session, in the order the page test takes them.
export function defineInCore(session, def) {
    if (def.followUps) session.setCheck(0, 1);
    if (def.buttons !== undefined) session.selectButtons(def.buttons);
    if (def.icon !== undefined) session.selectIcon(def.icon);
    session.setText(1, crlf(def.title ?? ''));
    session.setText(0, crlf(def.body ?? ''));
    if (def.right) session.setCheck(1, 1);
    (def.slots ?? []).forEach((text, slot) => {
        if (text !== null && text !== undefined) session.setText(3 + slot, crlf(text));
    });
    (def.slotChecks ?? []).forEach((on, slot) => session.setCheck(2 + slot, on ? 1 : 0));
    if (def.defaultButton !== undefined) session.setDefaultButton(def.defaultButton);
}

// The same steps through the page, as a user takes them.
export async function defineInPage(page, def) {
    if (def.followUps) await setChecked(page, '#followups', true);
    if (def.buttons !== undefined) await page.click(`label[for="buttons-${def.buttons}"]`);
    if (def.icon !== undefined) await page.click(`label[for="icon-${def.icon}"]`);
    await replaceText(page, '#title', def.title ?? '');
    await replaceText(page, '#body', def.body ?? '');
    if (def.right) await setChecked(page, '#right', true);
    for (const [slot, text] of (def.slots ?? []).entries()) {
        if (text !== null && text !== undefined) await replaceText(page, `#slot${slot}-text`, text);
    }
    for (const [slot, on] of (def.slotChecks ?? []).entries()) {
        await setChecked(page, `#slot${slot}-check`, on);
    }
    if (def.defaultButton !== undefined) await page.click(`label[for="default-${def.defaultButton}"]`);
}

export async function setChecked(page, selector, on) {
    if ((await page.$eval(selector, (e) => e.checked)) !== on) {
        await page.click(selector);
    }
}

// Types into a field the way a user does: select all, then type (Enter for
// line breaks).
export async function replaceText(page, selector, text) {
    await page.click(selector);
    await page.keyboard.down('Control');
    await page.keyboard.press('a');
    await page.keyboard.up('Control');
    await page.keyboard.press('Backspace');
    const lines = text.split('\n');
    for (const [i, line] of lines.entries()) {
        if (i > 0) await page.keyboard.press('Enter');
        if (line) await page.keyboard.type(line);
    }
}

// The open message box as the user sees it, or null.
export async function readBox(page) {
    return page.evaluate(() => {
        const layer = document.getElementById('box-layer');
        const box = layer.querySelector('[role="alertdialog"]');
        if (layer.hidden || !box) return null;
        const icon = box.querySelector('svg.icon');
        return {
            title: document.getElementById(box.getAttribute('aria-labelledby')).textContent,
            text: document.getElementById(box.getAttribute('aria-describedby')).textContent,
            buttons: [...box.querySelectorAll('.box-buttons button')].map((b) => b.textContent),
            focused: document.activeElement && box.contains(document.activeElement) ? document.activeElement.textContent : null,
            icon: icon ? [...icon.classList].find((c) => c.startsWith('icon-')).slice(5) : null,
            right: box.querySelector('.box-text').classList.contains('right'),
        };
    });
}

export async function pressBoxButton(page, caption) {
    const buttons = await page.$$('#box-layer .box-buttons button');
    for (const button of buttons) {
        if ((await button.evaluate((b) => b.textContent)) === caption) {
            await button.click();
            return;
        }
    }
    throw new Error('no box button ' + caption);
}

export function tempDir(prefix) {
    return fs.mkdtempSync(path.join(os.tmpdir(), prefix));
}

// Runs fn with a fresh page, then checks the page logged no error, asked for
// nothing outside the site and broke no Content-Security-Policy rule.
export async function withCheckedPage(browser, siteUrl, options, fn) {
    const page = await openPage(browser, siteUrl, options);
    try {
        await fn(page);
        assert.deepEqual(page.problems, []);
        assert.deepEqual(await page.cspViolations(), []);
    } finally {
        await page.closeAll();
    }
}
