// Bulk conversion: several .vbs picked at once become their .ps1 files, as a
// ZIP download, one download, or written into a folder. The bytes are checked
// against the core run in node for the same dialogs.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';
import { startServer, launch, nodeCore, defineInCore, tempDir, withCheckedPage
} from './harness.mjs';
import { SAVE_CONFIRM, LOW_DISK, RETRY } from './definitions.mjs';

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

// The file a format of a definition is saved as, by the core in node.
function encoded(def, format) {
    const session = new core.PageSession();
    defineInCore(session, def);
    const bytes = Buffer.from(session.encode(format));
    session.delete();
    return bytes;
}

// Writes the files ({ name: bytes }) into a fresh folder; their paths, in order.
function writeInputs(files) {
    const dir = tempDir('boxwright-convert-');
    return {
        dir,
        paths: Object.entries(files).map(([name, bytes]) => {
            const file = path.join(dir, name);
            fs.writeFileSync(file, bytes);
            return file;
        }),
    };
}

// The entries of a ZIP archive, read from its central directory, each checked
// against its local header and its CRC-32.
function readZip(zip) {
    const end = zip.length - 22;
    assert.equal(zip.readUInt32LE(end), 0x06054B50, 'end of central directory');
    const count = zip.readUInt16LE(end + 10);
    let at = zip.readUInt32LE(end + 16);
    assert.equal(at + zip.readUInt32LE(end + 12), end, 'the directory ends where the end record starts');
    const entries = [];
    for (let i = 0; i < count; i++) {
        assert.equal(zip.readUInt32LE(at), 0x02014B50);
        const flags = zip.readUInt16LE(at + 8);
        const method = zip.readUInt16LE(at + 10);
        const crc = zip.readUInt32LE(at + 16);
        const size = zip.readUInt32LE(at + 20);
        assert.equal(zip.readUInt32LE(at + 24), size);
        const nameLength = zip.readUInt16LE(at + 28);
        const extra = zip.readUInt16LE(at + 30);
        const comment = zip.readUInt16LE(at + 32);
        const local = zip.readUInt32LE(at + 42);
        const name = zip.subarray(at + 46, at + 46 + nameLength).toString('utf8');
        at += 46 + nameLength + extra + comment;

        assert.equal(method, 0, 'stored');
        assert.equal(flags & 0x0800, 0x0800, 'UTF-8 names');
        assert.equal(zip.readUInt32LE(local), 0x04034B50);
        assert.equal(zip.readUInt16LE(local + 6), flags);
        assert.equal(zip.readUInt32LE(local + 14), crc);
        assert.equal(zip.readUInt32LE(local + 18), size);
        const localName = zip.readUInt16LE(local + 26);
        assert.equal(zip.subarray(local + 30, local + 30 + localName).toString('utf8'), name);
        const start = local + 30 + localName + zip.readUInt16LE(local + 28);
        const bytes = zip.subarray(start, start + size);
        assert.equal(zlib.crc32(bytes), crc, name + ': CRC-32');
        entries.push({ name, bytes });
    }
    return entries;
}

async function waitForFile(file) {
    for (let i = 0; i < 100 && !fs.existsSync(file); i++) {
        await new Promise((r) => setTimeout(r, 50));
    }
    return fs.readFileSync(file);
}

async function allowDownloads(page, dir) {
    const cdp = await page.browser().target().createCDPSession();
    await cdp.send('Browser.setDownloadBehavior', {
        behavior: 'allow', downloadPath: dir, browserContextId: page.browserContext().id,
    });
}

const resultLines = (page) => page.$$eval('#convert-results li', (items) => items.map((li) => li.textContent));

const NOT_A_DIALOG = Buffer.from('WScript.Echo "hello"\r\n');
const NOT_A_DIALOG_REASON = 'Boxwright の VBScript 形式ではありません。1 行目に MsgBox のダイアログの行がありません。';

test('several .vbs become one ZIP of .ps1 files; a file that is no dialog and a second same name are refused', async () => {
    const inputs = {
        'report.vbs': encoded(SAVE_CONFIRM, 0),
        '空き容量.VBS': encoded(LOW_DISK, 0),
        'hello.vbs': NOT_A_DIALOG,
        'REPORT.vbs': encoded(RETRY, 0),
    };
    // What the core says of each, in node.
    const expected = Object.fromEntries(Object.entries(inputs).map(([name, bytes]) => [name, core.convertToPs1(name, new Uint8Array(bytes))]));
    assert.equal(expected['hello.vbs'].ok, false);
    assert.equal(expected['hello.vbs'].message, `hello.vbs: ${NOT_A_DIALOG_REASON}`);
    assert.equal(expected['空き容量.VBS'].name, '空き容量.ps1');
    // The .ps1 of a .vbs is the PowerShell save of the same dialog.
    assert.deepEqual(Buffer.from(expected['report.vbs'].bytes), encoded(SAVE_CONFIRM, 2));
    assert.deepEqual(Buffer.from(expected['空き容量.VBS'].bytes), encoded(LOW_DISK, 2));

    const { dir, paths } = writeInputs(inputs);
    const downloads = tempDir('boxwright-zip-');
    await withPage({ saveMode: 'download' }, async (page) => {
        await allowDownloads(page, downloads);
        assert.equal(await page.$eval('#convert-folder', (b) => b.hidden), true);
        await (await page.$('#convert-files')).uploadFile(...paths);
        await page.waitForFunction(() => document.querySelectorAll('#convert-results li').length === 4);
        assert.deepEqual(await resultLines(page), [
            'report.vbs → report.ps1　変換しました（まだ保存していません）',
            '空き容量.VBS → 空き容量.ps1　変換しました（まだ保存していません）',
            `hello.vbs: ${NOT_A_DIALOG_REASON}`,
            'REPORT.vbs: report.vbs と同じ report.ps1 に書くことになるので、変換しません。',
        ]);
        assert.equal(await page.$eval('#convert-status', (e) => e.textContent),
            '4 個のファイルのうち 2 個を変換しました。 保存先を選んでください。');
        assert.equal(await page.$eval('#convert-download', (b) => b.textContent), 'ZIP でダウンロード');

        await page.click('#convert-download');
        const entries = readZip(await waitForFile(path.join(downloads, 'boxwright-ps1.zip')));
        assert.deepEqual(entries.map((e) => e.name), ['report.ps1', '空き容量.ps1']);
        assert.deepEqual(entries[0].bytes, encoded(SAVE_CONFIRM, 2));
        assert.deepEqual(entries[1].bytes, encoded(LOW_DISK, 2));
        assert.deepEqual(await resultLines(page), [
            'report.vbs → report.ps1　boxwright-ps1.zip に入れました。',
            '空き容量.VBS → 空き容量.ps1　boxwright-ps1.zip に入れました。',
            `hello.vbs: ${NOT_A_DIALOG_REASON}`,
            'REPORT.vbs: report.vbs と同じ report.ps1 に書くことになるので、変換しません。',
        ]);
        // The editor is left as it was.
        assert.equal(await page.$eval('#title', (e) => e.value), '');
    });
    fs.rmSync(dir, { recursive: true, force: true });
    fs.rmSync(downloads, { recursive: true, force: true });
});

test('one converted file downloads as the .ps1 itself', async () => {
    const { dir, paths } = writeInputs({ 'retry': encoded(RETRY, 0), 'empty.vbs': Buffer.alloc(0) });
    const downloads = tempDir('boxwright-one-');
    await withPage({ saveMode: 'download' }, async (page) => {
        await allowDownloads(page, downloads);
        await (await page.$('#convert-files')).uploadFile(...paths);
        await page.waitForFunction(() => document.querySelectorAll('#convert-results li').length === 2);
        assert.equal(await page.$eval('#convert-download', (b) => b.textContent), 'ダウンロード');
        await page.click('#convert-download');
        assert.deepEqual(await waitForFile(path.join(downloads, 'retry.ps1')), encoded(RETRY, 2));
        assert.deepEqual(await resultLines(page), [
            'retry → retry.ps1　ダウンロードしました。',
            'empty.vbs: 空のファイルです。',  // the desktop converter's own reason
        ]);
    });
    fs.rmSync(dir, { recursive: true, force: true });
    fs.rmSync(downloads, { recursive: true, force: true });
});

test('written into a chosen folder, a .ps1 already there kept unless overwriting is on', async () => {
    const { dir, paths } = writeInputs({ 'a.vbs': encoded(SAVE_CONFIRM, 0), 'b.vbs': encoded(LOW_DISK, 0) });
    await withPage({ saveMode: 'folder', folderFiles: { 'b.ps1': 'old' } }, async (page) => {
        assert.equal(await page.$eval('#convert-folder', (b) => b.hidden), false);
        await (await page.$('#convert-files')).uploadFile(...paths);
        await page.waitForFunction(() => !document.getElementById('convert-folder').disabled);
        await page.click('#convert-folder');
        await page.waitForFunction(() => document.getElementById('convert-status').textContent.includes('書き込みました'));
        let folder = await page.evaluate(() => window.__folder);
        assert.deepEqual(Buffer.from(folder['a.ps1']), encoded(SAVE_CONFIRM, 2));
        assert.equal(Buffer.from(folder['b.ps1']).toString(), 'old');
        assert.deepEqual(await resultLines(page), [
            'a.vbs → a.ps1　「out」に書き込みました。',
            'b.vbs → b.ps1　b.ps1 はすでにあります。上書きするには「上書きする」にチェックを付けてください。',
        ]);

        await page.click('#convert-overwrite');
        await page.click('#convert-folder');
        await page.waitForFunction(() => document.getElementById('convert-status').textContent.includes('2 個'));
        folder = await page.evaluate(() => window.__folder);
        assert.deepEqual(Buffer.from(folder['b.ps1']), encoded(LOW_DISK, 2));
        assert.deepEqual(await resultLines(page), [
            'a.vbs → a.ps1　「out」に書き込みました。',
            'b.vbs → b.ps1　「out」に書き込みました。',
        ]);
    });
    fs.rmSync(dir, { recursive: true, force: true });
});

test('files dropped on the conversion area, or several anywhere, are converted', async () => {
    const good = [...encoded(LOW_DISK, 0)];
    await withPage({ saveMode: 'download' }, async (page) => {
        // A drop as the browser sends it, with files made in the page.
        const drop = (selector, files) => page.$eval(selector, (target, list) => {
            const data = new DataTransfer();
            for (const [name, bytes] of list) {
                data.items.add(new File([new Uint8Array(bytes)], name));
            }
            target.dispatchEvent(new DragEvent('dragover', { bubbles: true, cancelable: true, dataTransfer: data }));
            target.dispatchEvent(new DragEvent('drop', { bubbles: true, cancelable: true, dataTransfer: data }));
        }, files);
        await drop('#convert-heading', [['one.vbs', good]]);
        await page.waitForFunction(() => document.querySelectorAll('#convert-results li').length === 1);
        assert.deepEqual(await resultLines(page), ['one.vbs → one.ps1　変換しました（まだ保存していません）']);
        assert.equal(await page.$eval('#title', (e) => e.value), '');

        await drop('#title', [['x.vbs', good], ['y.txt', [...NOT_A_DIALOG]]]);
        await page.waitForFunction(() => document.querySelectorAll('#convert-results li').length === 2);
        assert.deepEqual(await resultLines(page), [
            'x.vbs → x.ps1　変換しました（まだ保存していません）',
            `y.txt: ${NOT_A_DIALOG_REASON}`,
        ]);
        assert.equal(await page.$eval('#title', (e) => e.value), '');
        assert.equal(await page.$eval('#drop-hint', (e) => e.hidden), true);
    });
});
