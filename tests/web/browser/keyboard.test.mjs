// The page with the keyboard alone: every control is reached with Tab and
// operated with keys, and the preview is opened and answered with Enter, Esc
// and the access keys.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { startServer, launch, readBox, withCheckedPage
} from './harness.mjs';

let server, siteUrl, browser;
before(async () => {
    ({ server, url: siteUrl } = await startServer());
    browser = await launch();
});
after(async () => {
    await browser?.close();
    server?.close();
});

const withPage = (fn) => withCheckedPage(browser, siteUrl, {}, fn);

const focusedId = (page) => page.evaluate(() => document.activeElement.id);

// Tab from the top of the page to the end: the ids reached, in order.
async function tabOrder(page) {
    await page.click('header h1');  // where sequential navigation starts
    const ids = [];
    for (let i = 0; i < 60; i++) {
        await page.keyboard.press('Tab');
        const id = await focusedId(page);
        if (!id || ids.includes(id)) break;
        ids.push(id);
    }
    return ids;
}

// Presses Tab until the control with the id has focus.
async function tabTo(page, id) {
    for (let i = 0; i < 60; i++) {
        if (await focusedId(page) === id) return;
        await page.keyboard.press('Tab');
    }
    throw new Error('Tab never reached #' + id);
}

const NARROW = ['title', 'body', 'right', 'followups', 'icon-0', 'buttons-5', 'default-0',
    'preview', 'new', 'open', 'save-vbs', 'save-htm', 'save-ps1', 'tab0', 'code', 'copy',
    // The bulk conversion; its folder and download buttons wait for files.
    'convert-pick', 'convert-overwrite'];

test('Tab reaches every control, and each is operated by keys', async () => {
    await withPage(async (page) => {
        assert.deepEqual(await tabOrder(page), NARROW);

        // 続きを作る with Space shows the slots, which Tab then reaches.
        await tabTo(page, 'followups');
        await page.keyboard.press('Space');
        assert.equal(await page.$eval('#slots', (e) => e.hidden), false);
        // The button set offers one slot (OKのみ): choose one with three.
        await tabTo(page, 'buttons-5');
        for (let i = 0; i < 3; i++) await page.keyboard.press('ArrowDown');
        assert.equal(await page.$eval('input[name="buttons"]:checked', (e) => e.id), 'buttons-8');
        const wide = await tabOrder(page);
        assert.deepEqual(wide, [...NARROW.slice(0, 5), 'buttons-8', ...NARROW.slice(6, 13),
            'slot0-check', 'slot0-text', 'slot1-check', 'slot1-text', 'slot2-check', 'slot2-text', ...NARROW.slice(13)]);

        // Radios with the arrow keys: the icon, then the default button.
        await tabTo(page, 'icon-0');
        await page.keyboard.press('ArrowRight');
        assert.equal(await page.$eval('input[name="icon"]:checked', (e) => e.id), 'icon-1');
        assert.match(await page.$eval('#code', (e) => e.value), /3 \+ 32/);
        await tabTo(page, 'default-0');
        await page.keyboard.press('ArrowRight');
        assert.equal(await page.$eval('input[name="default"]:checked', (e) => e.id), 'default-1');
        assert.match(await page.$eval('#code', (e) => e.value), /3 \+ 32 \+ vbDefaultButton2/);

        // A slot's check box with Space (the core decides what it enables).
        await tabTo(page, 'slot1-check');
        await page.keyboard.press('Space');
        assert.equal(await page.$eval('#slot1-check', (e) => e.checked), false);
        await page.keyboard.press('Space');
        assert.equal(await page.$eval('#slot1-check', (e) => e.checked), true);

        // Typing in a field, and 右寄せ with Space.
        await tabTo(page, 'title');
        await page.keyboard.type('確認');
        await tabTo(page, 'right');
        await page.keyboard.press('Space');
        assert.match(await page.$eval('#code', (e) => e.value), /"確認"/);
        assert.match(await page.$eval('#code', (e) => e.value), /vbMsgBoxRight/);

        // Code tabs with the arrow keys.
        await tabTo(page, 'tab0');
        await page.keyboard.press('ArrowRight');
        await page.keyboard.press('ArrowRight');
        assert.equal(await focusedId(page), 'tab2');
        assert.equal(await page.$eval('#tab2', (e) => e.getAttribute('aria-selected')), 'true');
        assert.match(await page.$eval('#code', (e) => e.value), /MessageBox/);
    });
});

// Each case: the button set (option), then the keys pressed in the box; the
// follow-up expected (its slot's text) or, with stays, a box that stays open.
const ANSWERS = [
    { buttons: 8, keys: ['n'], followUp: '続き2' },
    { buttons: 8, keys: ['Y'], followUp: '続き1' },
    { buttons: 8, keys: ['Escape'], followUp: '続き3' },
    { buttons: 8, keys: ['Enter'], followUp: '続き1' },
    { buttons: 8, keys: ['Tab', 'Tab', 'Enter'], followUp: '続き3' },
    { buttons: 8, keys: ['ArrowRight', 'Enter'], followUp: '続き2' },
    { buttons: 9, keys: ['Escape'], stays: true },
    { buttons: 9, keys: ['Escape', 'n'], followUp: '続き2' },
    { buttons: 5, keys: ['Escape'], followUp: '続き1' },
    { buttons: 6, keys: ['Escape'], followUp: '続き2' },
    { buttons: 7, keys: ['Escape'], stays: true },
    { buttons: 7, keys: ['r'], followUp: '続き2' },
    { buttons: 7, keys: ['i'], followUp: '続き3' },
    { buttons: 10, keys: ['Escape'], followUp: '続き2' },
    { buttons: 10, keys: ['Enter'], followUp: '続き1' },
];

test('the preview answered from the keyboard', async () => {
    await withPage(async (page) => {
        await tabTo(page, 'followups');
        await page.keyboard.press('Space');
        await tabTo(page, 'buttons-5');
        for (let i = 0; i < 3; i++) await page.keyboard.press('ArrowDown');  // はい、いいえ、キャンセル: three slots
        for (let slot = 0; slot < 3; slot++) {
            await tabTo(page, `slot${slot}-text`);
            await page.keyboard.down('Control');
            await page.keyboard.press('a');
            await page.keyboard.up('Control');
            await page.keyboard.type(`続き${slot + 1}`);
        }
        for (const c of ANSWERS) {
            const label = `${c.buttons}: ${c.keys.join(' ')}`;
            await page.click(`label[for="buttons-${c.buttons}"]`);
            await tabTo(page, 'preview');
            await page.keyboard.press('Enter');
            const box = await readBox(page);
            assert.ok(box, label);
            assert.equal(box.focused, box.buttons[0], label);
            for (const key of c.keys) await page.keyboard.press(key);
            const after = await readBox(page);
            if (c.stays) {
                assert.deepEqual(after, box, label);
                // Focus stays inside the box, however often Tab is pressed.
                for (let i = 0; i < 4; i++) {
                    await page.keyboard.press('Tab');
                    assert.ok((await readBox(page)).focused, label);
                }
                await page.keyboard.down('Shift');
                await page.keyboard.press('Tab');
                await page.keyboard.up('Shift');
                assert.ok((await readBox(page)).focused, label);
                await page.keyboard.press('Enter');  // answers; a follow-up may come
                if (await readBox(page)) await page.keyboard.press('Enter');
            } else {
                assert.equal(after?.text, c.followUp, label);
                assert.deepEqual(after.buttons, ['OK'], label);
                await page.keyboard.press('Escape');  // OK alone: Esc closes
            }
            assert.equal(await readBox(page), null, label);
            assert.equal(await focusedId(page), 'preview', label);
        }
    });
});
