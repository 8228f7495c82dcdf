// axe-core finds no violation in each state of the page; the page also starts
// from file:// under its Content-Security-Policy. Screenshots of the page and
// of preview boxes go to SHOTS_DIR for a person to look at.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { createRequire } from 'node:module';
import { pathToFileURL } from 'node:url';
import {
    startServer, launch, openPage, defineInPage, readBox, tempDir, SITE_DIR, SHOTS_DIR,
} from './harness.mjs';
import { SAVE_CONFIRM, LOW_DISK } from './definitions.mjs';

const require = createRequire(import.meta.url);
const AXE_SOURCE = fs.readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');

let server, siteUrl, browser;
before(async () => {
    ({ server, url: siteUrl } = await startServer());
    browser = await launch();
    fs.mkdirSync(SHOTS_DIR, { recursive: true });
});
after(async () => {
    await browser?.close();
    server?.close();
});

// axe is put in through the DevTools protocol: the page's own policy forbids
// inline script, and rightly.
async function violations(page) {
    if (!(await page.evaluate(() => typeof window.axe === 'object'))) {
        await page.evaluate(AXE_SOURCE);
    }
    const result = await page.evaluate(() => window.axe.run(document, {
        runOnly: { type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa', 'best-practice'] },
    }));
    return result.violations.map((v) => `${v.id}: ${v.help} (${v.nodes.map((n) => n.target.join(' ')).join(', ')})`);
}

const shot = (page, name) => page.screenshot({ path: path.join(SHOTS_DIR, name) });

const STATES = [
    { name: 'the empty editor', steps: async () => {}, file: 'page-empty.png' },
    { name: 'the editor with follow-ups', steps: (page) => defineInPage(page, SAVE_CONFIRM), file: 'page-wide.png', full: true },
    {
        name: 'a preview box',
        steps: async (page) => { await defineInPage(page, SAVE_CONFIRM); await page.click('#preview'); },
        file: 'preview.png',
    },
    {
        name: 'a right-aligned box',
        steps: async (page) => { await defineInPage(page, LOW_DISK); await page.click('#preview'); },
        file: 'preview-right.png',
    },
    {
        name: 'a box with a long text',
        steps: async (page) => {
            const line = '手順をお知らせします。例外が発生したため、変更はサーバーに送られていません。';
            await defineInPage(page, { ...LOW_DISK, right: false, body: Array(40).fill(line).join('\n') });
            await page.click('#preview');
        },
        file: 'preview-long.png',
    },
    {
        name: 'a body past the limit and a bulk conversion listed',
        steps: async (page) => {
            await page.$eval('#body', (e) => {
                e.value = 'あ'.repeat(1100);
                e.dispatchEvent(new Event('input', { bubbles: true }));
            });
            const dir = tempDir('boxwright-a11y-');
            fs.writeFileSync(path.join(dir, 'ok.vbs'), Buffer.from('MsgBox "本文", 0 + 16, "題"\r\n'));
            fs.writeFileSync(path.join(dir, 'bad.vbs'), Buffer.from('WScript.Echo 1\r\n'));
            await (await page.$('#convert-files')).uploadFile(path.join(dir, 'ok.vbs'), path.join(dir, 'bad.vbs'));
            await page.waitForFunction(() => document.querySelectorAll('#convert-results li').length === 2);
            fs.rmSync(dir, { recursive: true, force: true });
        },
        file: 'convert.png', full: true,
    },
    {
        name: 'the code view on PowerShell',
        steps: async (page) => { await defineInPage(page, SAVE_CONFIRM); await page.click('#tab2'); },
        file: 'code-ps1.png', full: true,
    },
];

for (const s of STATES) {
    test(`no accessibility violations: ${s.name}`, async () => {
        const page = await openPage(browser, siteUrl);
        try {
            await s.steps(page);
            if (s.full) {
                await page.screenshot({ path: path.join(SHOTS_DIR, s.file), fullPage: true });
            } else {
                await shot(page, s.file);
            }
            assert.deepEqual(await violations(page), []);
            assert.deepEqual(page.problems, []);
            assert.deepEqual(await page.cspViolations(), []);
        } finally {
            await page.closeAll();
        }
    });
}

test('a long text scrolls inside the box and the keyboard reaches it', async () => {
    const page = await openPage(browser, siteUrl);
    try {
        await defineInPage(page, { ...LOW_DISK, body: Array(60).fill('長い本文の行です。').join('\n') });
        await page.click('#preview');
        const sizes = await page.$eval('#box-text', (e) => ({
            scroll: e.scrollHeight, client: e.clientHeight, tab: e.tabIndex, window: window.innerHeight,
            box: e.closest('[role="alertdialog"]').getBoundingClientRect().height,
        }));
        assert.ok(sizes.scroll > sizes.client, 'the text scrolls');
        assert.ok(sizes.box < sizes.window, 'the box fits the window');
        assert.equal(sizes.tab, 0);
        assert.equal((await readBox(page)).focused, 'OK');
    } finally {
        await page.closeAll();
    }
});

test('the page links nothing outside itself and its policy forbids inline script and eval', async () => {
    const html = fs.readFileSync(path.join(SITE_DIR, 'index.html'), 'utf8');
    const policy = html.match(/http-equiv="Content-Security-Policy" content="([^"]+)"/)[1];
    const scriptSrc = policy.split(';').map((d) => d.trim()).find((d) => d.startsWith('script-src'));
    assert.ok(!/unsafe-inline|unsafe-eval'|data:|\*/.test(scriptSrc.replace("'wasm-unsafe-eval'", '')), scriptSrc);
    assert.ok(!/(src|href)="(https?:)?\/\//i.test(html), 'no outside links');
    assert.ok(!/<script>|<script [^>]*>[^<]/.test(html), 'no inline script');
    assert.ok(!/ style=|<style/.test(html), 'no inline style');
    const app = fs.readFileSync(path.join(SITE_DIR, 'app.js'), 'utf8');
    assert.ok(!/innerHTML|outerHTML|insertAdjacentHTML|document\.write|eval\(|new Function/.test(app));
    assert.ok(!/https?:\/\/(?!www\.w3\.org\/2000\/svg)/.test(app + fs.readFileSync(path.join(SITE_DIR, 'style.css'), 'utf8')));
});

test('the page starts from file:// too', async () => {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    try {
        const errors = [];
        page.on('pageerror', (e) => errors.push(e.message));
        await page.goto(pathToFileURL(path.join(SITE_DIR, 'index.html')).href);
        await page.waitForSelector('body[data-ready]');
        assert.equal(await page.$eval('body', (b) => b.dataset.ready), 'true');
        await page.type('#title', 'ファイルから');
        await page.click('#preview');
        assert.equal((await readBox(page)).title, 'ファイルから');
        assert.deepEqual(errors, []);
    } finally {
        await context.close();
    }
});

test('dropping a file on the page opens it', async () => {
    const page = await openPage(browser, siteUrl);
    const dir = tempDir('boxwright-drop-');
    try {
        const bytes = Buffer.from('Write-Host "hello"\r\n');
        // A drop event with a file in it, as a drag from the desktop sends it.
        await page.evaluate((data) => {
            const transfer = new DataTransfer();
            transfer.items.add(new File([new Uint8Array(data)], 'dropped.ps1'));
            document.getElementById('body').dispatchEvent(new DragEvent('drop', { dataTransfer: transfer, bubbles: true, cancelable: true }));
        }, [...bytes]);
        await page.waitForSelector('#box-layer:not([hidden])');
        assert.match((await readBox(page)).text, /dropped\.ps1/);
    } finally {
        await page.closeAll();
        fs.rmSync(dir, { recursive: true, force: true });
    }
});
