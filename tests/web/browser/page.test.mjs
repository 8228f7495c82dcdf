// The page with a mouse: preview and follow-ups, saving each format, opening
// files. What the page shows and writes is checked against the core run in
// node with the same steps.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import {
    startServer, launch, nodeCore, defineInCore, defineInPage, readBox, pressBoxButton, tempDir, replaceText,
    withCheckedPage,
} from './harness.mjs';
import { SAVE_CONFIRM, LOW_DISK, RETRY, ABORT } from './definitions.mjs';

let server, siteUrl, browser, core;
before(async () => {
    ({ server, url: siteUrl } = await startServer());
    browser = await launch();
    core = await nodeCore();
});
after(async () => {
    await browser?.close();
    server?.close();
});

const withPage = (options, fn) => withCheckedPage(browser, siteUrl, options, fn);

function coreSession(def) {
    const session = new core.PageSession();
    defineInCore(session, def);
    return session;
}

const lf = (text) => text.replace(/\r\n/g, '\n');

const PREVIEWS = [
    {
        def: SAVE_CONFIRM,
        box: { title: '保存の確認', text: '変更を保存しますか？\nFile "report.txt" was changed.',
               buttons: ['はい(Y)', 'いいえ(N)', 'キャンセル'], focused: 'いいえ(N)', icon: 'question', right: false },
        press: 'いいえ(N)', code: 7, followUp: '保存しませんでした。',
    },
    {
        def: LOW_DISK,
        box: { title: '注意', text: 'ディスクの空きが少なくなっています。\n不要なファイルを削除してください。',
               buttons: ['OK'], focused: 'OK', icon: 'exclamation', right: true },
        press: 'OK', code: 1, followUp: null,
    },
    {
        def: RETRY,
        box: { title: '接続エラー', text: 'サーバーに接続できません。<b>&"\'',
               buttons: ['再試行(R)', 'キャンセル'], focused: '再試行(R)', icon: 'critical', right: false },
        press: '再試行(R)', code: 4, followUp: 'もう一度試します。',
    },
    {
        def: RETRY,
        box: null,
        press: 'キャンセル', code: 2, followUp: null,  // its follow-up is switched off
    },
    {
        def: ABORT,
        box: { title: 'コピー', text: 'ファイルをコピーできませんでした。',
               buttons: ['中止(A)', '再試行(R)', '無視(I)'], focused: '無視(I)', icon: 'information', right: false },
        press: '中止(A)', code: 3, followUp: '中止しました。',
    },
];

for (const c of PREVIEWS) {
    test(`preview: ${c.def.name}, pressing ${c.press}`, async () => {
        const session = coreSession(c.def);
        const expected = session.previewBox();
        const expectedFollowUp = session.followUpBox(c.code);
        session.delete();
        assert.equal(expectedFollowUp ? expectedFollowUp.prompt : null, c.followUp);

        await withPage({}, async (page) => {
            await defineInPage(page, c.def);
            await page.click('#preview');
            const box = await readBox(page);
            assert.equal(box.text, lf(expected.prompt));
            assert.equal(box.title, expected.title);
            if (c.box) {
                assert.deepEqual(box, c.box);
            }
            await pressBoxButton(page, c.press);
            const followUp = await readBox(page);
            if (c.followUp === null) {
                assert.equal(followUp, null);
                return;
            }
            assert.equal(followUp.text, c.followUp);
            assert.equal(followUp.title, expectedFollowUp.title);
            assert.deepEqual(followUp.buttons, ['OK']);
            await pressBoxButton(page, 'OK');
            assert.equal(await readBox(page), null);
            assert.equal(await page.evaluate(() => document.activeElement.id), 'preview');
        });
    });
}

const SAVE_BUTTONS = ['#save-vbs', '#save-htm', '#save-ps1'];
const FILE_NAMES = ['dialog.vbs', 'dialog.htm', 'dialog.ps1'];

for (const def of [SAVE_CONFIRM, LOW_DISK, RETRY]) {
    test(`save through the file picker: ${def.name}`, async () => {
        const session = coreSession(def);
        await withPage({ saveMode: 'picker' }, async (page) => {
            await defineInPage(page, def);
            assert.equal(await page.$eval('body', (b) => b.dataset.changed), 'true');
            for (let format = 0; format < 3; format++) {
                await page.click(SAVE_BUTTONS[format]);
                await page.waitForFunction((n) => window.__saved.length === n, {}, format + 1);
                const saved = await page.evaluate(() => window.__saved.at(-1));
                assert.equal(saved.name, FILE_NAMES[format]);
                assert.deepEqual(Buffer.from(saved.bytes), Buffer.from(session.encode(format)), FILE_NAMES[format]);
            }
            assert.equal(await page.$eval('body', (b) => b.dataset.changed), 'false');
        });
        session.delete();
    });
}

// A file opened through the browser's picker is saved back to itself in its
// own format; another format still asks where to go.
test('saving writes back to the file opened through the picker', async () => {
    await withPage({ saveMode: 'picker' }, async (page) => {
        await page.evaluate(() => {
            window.__toOpen = { name: 'edit.vbs', text: 'selectkey = MsgBox("old", 0 + 16, "t")\r\n' };
        });
        await page.click('#open');
        await page.waitForFunction(() => document.querySelector('#body').value === 'old');
        await replaceText(page, '#body', 'new');
        await page.click(SAVE_BUTTONS[0]);
        await page.waitForFunction(() => window.__writtenBack !== undefined);
        const written = await page.evaluate(() => window.__writtenBack);
        assert.equal(written.name, 'edit.vbs');
        assert.equal(Buffer.from(written.bytes).toString('latin1'), 'selectkey = MsgBox("new", 0 + 16, "t")\r\n');
        assert.equal(await page.evaluate(() => window.__saved.length), 0);
        await page.click(SAVE_BUTTONS[2]);
        await page.waitForFunction(() => window.__saved.length === 1);
        assert.equal(await page.evaluate(() => window.__saved[0].name), FILE_NAMES[2]);
    });
});

test('save as a download where there is no file picker', async () => {
    const def = ABORT;
    const session = coreSession(def);
    const dir = tempDir('boxwright-downloads-');
    await withPage({ saveMode: 'download' }, async (page) => {
        const cdp = await page.browser().target().createCDPSession();
        await cdp.send('Browser.setDownloadBehavior', {
            behavior: 'allow', downloadPath: dir, browserContextId: page.browserContext().id,
        });
        await defineInPage(page, def);
        for (let format = 0; format < 3; format++) {
            await page.click(SAVE_BUTTONS[format]);
            const file = path.join(dir, FILE_NAMES[format]);
            for (let i = 0; i < 600 && !fs.existsSync(file); i++) {
                await new Promise((r) => setTimeout(r, 50));
            }
            assert.deepEqual(fs.readFileSync(file), Buffer.from(session.encode(format)), FILE_NAMES[format]);
        }
        assert.equal(await page.$eval('body', (b) => b.dataset.changed), 'false');
    });
    session.delete();
    fs.rmSync(dir, { recursive: true, force: true });
});

test('the code view shows each format as the core writes it', async () => {
    const session = coreSession(SAVE_CONFIRM);
    await withPage({}, async (page) => {
        await defineInPage(page, SAVE_CONFIRM);
        for (const format of [1, 2, 0]) {
            await page.click(`#tab${format}`);
            assert.equal(await page.$eval('#code', (e) => e.value), lf(session.scriptText(format)));
        }
    });
    session.delete();
});

const OPENS = [
    { file: 'report.vbs', def: SAVE_CONFIRM, format: 0 },
    { file: 'RETRY.PS1', def: RETRY, format: 2 },
];

for (const o of OPENS) {
    test(`open ${o.file} through the file input`, async () => {
        const writer = coreSession(o.def);
        const bytes = writer.encode(o.format);
        writer.delete();
        const dir = tempDir('boxwright-open-');
        const file = path.join(dir, o.file);
        fs.writeFileSync(file, bytes);
        const reader = new core.PageSession();
        assert.equal(reader.open(o.file, bytes, false).outcome, 'read');
        const expected = reader.controls();
        const expectedCode = lf(reader.scriptText(0));
        reader.delete();

        await withPage({}, async (page) => {
            const input = await page.$('#open-file');
            await input.uploadFile(file);
            await page.waitForFunction((t) => document.getElementById('title').value === t, {}, o.def.title);
            assert.equal(await page.$eval('#body', (e) => e.value), o.def.body);
            assert.equal(await page.$eval('#body', (e) => e.value), lf(expected.texts[0]));
            assert.equal(await page.$eval('input[name="icon"]:checked', (e) => Number(e.value)), expected.iconOption);
            assert.equal(await page.$eval('input[name="buttons"]:checked', (e) => Number(e.value)), expected.buttonOption);
            assert.equal(await page.$eval('#followups', (e) => e.checked), expected.checks[0] === 1);
            assert.equal(await page.$eval('#slots', (e) => e.hidden), !expected.wide);
            for (let slot = 0; slot < 3; slot++) {
                assert.equal(await page.$eval(`#slot${slot}-text`, (e) => e.value), lf(expected.texts[3 + slot]));
            }
            assert.equal(await page.$eval('#code', (e) => e.value), expectedCode);
            assert.equal(await readBox(page), null);
        });
        fs.rmSync(dir, { recursive: true, force: true });
    });
}

test('a .ps1 that is not the program\'s own shows the error box', async () => {
    const dir = tempDir('boxwright-bad-');
    const file = path.join(dir, 'bad.ps1');
    const bytes = Buffer.from('Write-Host "hello"\r\n');
    fs.writeFileSync(file, bytes);
    const reader = new core.PageSession();
    const result = reader.open('bad.ps1', new Uint8Array(bytes), false);
    reader.delete();
    assert.equal(result.outcome, 'failed');

    await withPage({}, async (page) => {
        await page.type('#title', '元のタイトル');
        await (await page.$('#open-file')).uploadFile(file);
        await page.waitForSelector('#box-layer:not([hidden])');
        const box = await readBox(page);
        assert.equal(box.text, lf(result.message.prompt));
        assert.equal(box.title, result.message.title);
        assert.equal(box.icon, 'critical');
        assert.deepEqual(box.buttons, ['OK']);
        await page.keyboard.press('Enter');
        assert.equal(await readBox(page), null);
        assert.equal(await page.$eval('#title', (e) => e.value), '元のタイトル');
    });
    fs.rmSync(dir, { recursive: true, force: true });
});

for (const answer of ['いいえ(N)', 'はい(Y)']) {
    test(`a file with a very long text asks first; answered ${answer}`, async () => {
        const writer = new core.PageSession();
        writer.setText(1, '大きな本文');
        writer.setText(0, 'a'.repeat(1_100_000));
        const bytes = writer.encode(2);
        writer.delete();
        const reader = new core.PageSession();
        const asked = reader.open('big.ps1', bytes, false);
        reader.delete();
        assert.equal(asked.outcome, 'confirm');
        const dir = tempDir('boxwright-big-');
        const file = path.join(dir, 'big.ps1');
        fs.writeFileSync(file, bytes);

        await withPage({}, async (page) => {
            await (await page.$('#open-file')).uploadFile(file);
            await page.waitForSelector('#box-layer:not([hidden])');
            const box = await readBox(page);
            assert.equal(box.text, lf(asked.message.prompt));
            assert.equal(box.title, asked.message.title);
            assert.deepEqual(box.buttons, ['はい(Y)', 'いいえ(N)']);
            await pressBoxButton(page, answer);
            await page.waitForFunction(() => document.getElementById('box-layer').hidden);
            const loaded = answer === 'はい(Y)';
            assert.equal(await page.$eval('#title', (e) => e.value), loaded ? '大きな本文' : '');
            // Loaded, the body is shown as its beginning, read-only, as the
            // desktop shows it; the save still writes every character.
            const body = await page.$eval('#body', (e) => ({ value: e.value, readOnly: e.readOnly, title: e.title }));
            assert.equal(body.readOnly, loaded);
            assert.equal(body.value, loaded ? 'a'.repeat(1024) + '…' : '');
            assert.match(body.title, loaded ? /1,100,000 文字あり、先頭だけを表示しています/ : /^$/);
        });
        fs.rmSync(dir, { recursive: true, force: true });
    });
}

test('the status line counts the body as the core does, red past the limit', async () => {
    const count = (page) => page.$eval('#body-count', (e) => ({
        text: e.textContent, over: e.classList.contains('over'), color: getComputedStyle(e).color,
    }));
    const session = new core.PageSession();
    session.setText(0, 'こんにちは\r\n𠮷');
    const typed = session.controls();
    session.setText(0, 'a'.repeat(1023));
    const atLimit = session.controls();
    session.setText(0, 'a'.repeat(1234));
    const past = session.controls();
    session.delete();
    assert.equal(typed.bodyLength, 9);  // a line break counts two, 𠮷 two UTF-16 units
    assert.equal(typed.promptLimit, 1023);

    await withPage({}, async (page) => {
        const quiet = await count(page);
        assert.equal(quiet.text, '本文：0 / 1,023 文字');
        assert.equal(quiet.over, false);
        await page.click('#body');
        await page.keyboard.type('こんにちは');
        await page.keyboard.press('Enter');
        await page.keyboard.type('𠮷');
        assert.equal((await count(page)).text, '本文：' + typed.bodyLength + ' / 1,023 文字');
        const fill = (n) => page.$eval('#body', (e, length) => {
            e.value = 'a'.repeat(length);
            e.dispatchEvent(new Event('input', { bubbles: true }));
        }, n);
        await fill(1023);
        const limit = await count(page);
        assert.equal(atLimit.bodyLength, 1023);
        assert.equal(limit.text, '本文：1,023 / 1,023 文字');
        assert.equal(limit.over, false);
        assert.equal(limit.color, quiet.color);
        await fill(1234);
        const red = await count(page);
        assert.equal(red.text, '本文：1,234 / 1,023 文字');
        assert.equal(past.bodyLength, 1234);
        assert.equal(red.over, true);
        assert.equal(red.color, 'rgb(196, 43, 28)');
        assert.notEqual(quiet.color, red.color);
    });
});
