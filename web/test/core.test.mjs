// The WebAssembly core against the desktop program's writer: the same
// definitions, typed into a page session as a user would, must give the same
// bytes in every format; files read back; the preview shows the boxes the
// desktop shows. Run by make test-web:
//   BOXWRIGHT_WEB_SITE=build-web/site BOXWRIGHT_WEB_EXPECTED=build/tests/web/web_expected node --test web/test/
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, writeFileSync, rmSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

const site = process.env.BOXWRIGHT_WEB_SITE ?? 'build-web/site';
const expectedTool = process.env.BOXWRIGHT_WEB_EXPECTED ?? 'build/tests/web/web_expected';
const core = await createRequire(import.meta.url)(join(process.cwd(), site, 'boxwright-core.js'))();

// Ids of the session's text boxes and check boxes.
const Text = { body: 0, title: 1, slot: [3, 4, 5] };
const Check = { followUps: 0, right: 1, slot: [2, 3, 4] };
const buttonCounts = [1, 2, 3, 3, 2, 2];

// Texts that test what the writers escape: quotes of every kind, line breaks
// alone and in pairs, NUL, characters code page 932 lacks, pairs and lone
// surrogates, PowerShell's own syntax.
const pieces = ['本文', 'ｱｲｳ', 'a', ' ', '"', "'", '\u2019', '\u201C', '\r\n', '\r', '\n', '\0', '¥', 'é',
                '\u{1F600}', '\uD800', '\uDC00', '$(Get-Date)', '`', '#', 'Case 1', '&vbCrLf&', '髙', 'ⅰ', '\t'];

function random(seed) {
    return () => {
        seed = (seed + 0x6D2B79F5) | 0;
        let t = Math.imul(seed ^ (seed >>> 15), 1 | seed);
        t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
        return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
    };
}

function generated(count, seed) {
    const next = random(seed);
    const pick = (n) => Math.floor(next() * n);
    const text = () => Array.from({ length: pick(6) }, () => pieces[pick(pieces.length)]).join('');
    return Array.from({ length: count }, () => {
        const buttons = pick(6);
        return {
            title: text(), body: text(), icon: pick(4), buttons, right: pick(2) === 1,
            defaultButton: pick(buttonCounts[buttons]), continuation: pick(2) === 1,
            followUps: [0, 1, 2].map(() => ({ enabled: pick(2) === 1, text: text() })),
        };
    });
}

const named = [
    { title: 'Question', body: 'Do you want to continue?\r\nThis cannot be undone.', icon: 1, buttons: 4, right: false,
      defaultButton: 1, continuation: true,
      followUps: [{ enabled: true, text: 'Continued.' }, { enabled: true, text: 'Stopped.' }, { enabled: false, text: '本文' }] },
    { title: '', body: '', icon: 0, buttons: 0, right: true, defaultButton: 0, continuation: false,
      followUps: [{ enabled: true, text: '本文' }, { enabled: true, text: '本文' }, { enabled: true, text: '本文' }] },
];
const definitions = [...named, ...generated(300, 20261207)];

// The definition typed into a fresh session as a user would set the controls.
function typed(def) {
    const session = new core.PageSession();
    session.setText(Text.title, def.title);
    session.setText(Text.body, def.body);
    session.selectIcon(def.icon);
    session.selectButtons(5 + def.buttons);
    session.setCheck(Check.right, def.right ? 1 : 0);
    session.setDefaultButton(def.defaultButton);
    session.setCheck(Check.followUps, def.continuation ? 1 : 0);
    def.followUps.forEach((followUp, slot) => {
        session.setCheck(Check.slot[slot], followUp.enabled ? 1 : 0);
        session.setText(Text.slot[slot], followUp.text);
    });
    return session;
}

function binary(defs) {
    const parts = [];
    const number = (n) => { const b = Buffer.alloc(4); b.writeUInt32LE(n); parts.push(b); };
    const text = (s) => { number(s.length); const b = Buffer.alloc(s.length * 2); for (let i = 0; i < s.length; i++) b.writeUInt16LE(s.charCodeAt(i), i * 2); parts.push(b); };
    for (const d of defs) {
        text(d.title); text(d.body); number(d.icon); number(d.buttons); number(d.right ? 1 : 0);
        number(d.defaultButton); number(d.continuation ? 1 : 0);
        for (const f of d.followUps) { number(f.enabled ? 1 : 0); text(f.text); }
    }
    return Buffer.concat(parts);
}

const folder = mkdtempSync(join(tmpdir(), 'boxwright-web-'));
process.on('exit', () => rmSync(folder, { recursive: true, force: true }));
writeFileSync(join(folder, 'definitions'), binary(definitions));
execFileSync(expectedTool, [join(folder, 'definitions'), folder]);
const suffixes = ['.vbs', '.htm', '.ps1'];
const expected = (n, format) => new Uint8Array(readFileSync(join(folder, `${n}${suffixes[format]}`)));

test('every format is byte for byte what the desktop writes', () => {
    definitions.forEach((def, n) => {
        const session = typed(def);
        for (const format of [0, 1, 2]) {
            assert.deepEqual(session.encode(format), expected(n, format), `definition ${n}, ${suffixes[format]}`);
        }
        session.delete();
    });
});

test('a file written reads back into a fresh session as the same file', () => {
    definitions.forEach((def, n) => {
        for (const format of [0, 2]) {
            const session = new core.PageSession();
            const result = session.open(`dialog${suffixes[format]}`, expected(n, format), false);
            assert.equal(result.outcome, 'read', `definition ${n}, ${suffixes[format]}`);
            assert.equal(session.controls().changed, false);
            assert.deepEqual(session.encode(format), expected(n, format), `definition ${n}, ${suffixes[format]}`);
            session.delete();
        }
    });
});

test('opening refuses what is not a script and asks before a huge text', () => {
    const cases = [
        { name: 'bad.ps1', bytes: 'not a script\r\n', outcome: 'failed', prompt: /「bad\.ps1」は Boxwright の PowerShell 形式ではありません（1 行目：Add-Type .* の行ではありません）。/ },
        { name: 'big.vbs', bytes: `selectkey = MsgBox("${'x'.repeat((1 << 20) + 1)}", 0 + 16, "t")\r\n`, outcome: 'confirm', prompt: /本文は 1,048,577 文字あります/ },
    ];
    for (const c of cases) {
        const session = new core.PageSession();
        const before = session.controls();
        const result = session.open(c.name, new TextEncoder().encode(c.bytes), false);
        assert.equal(result.outcome, c.outcome);
        assert.match(result.message.prompt, c.prompt);
        assert.deepEqual(session.controls(), before);
        if (c.outcome === 'confirm') {
            assert.equal(session.open(c.name, new TextEncoder().encode(c.bytes), true).outcome, 'read');
            assert.equal(session.controls().texts[Text.body].length, (1 << 20) + 1);
        }
        session.delete();
    }
});

test('the preview shows the dialog, then the follow-up of the pressed button', () => {
    const cases = [
        // buttons, icon, right, default button, slot checks: the box's style, then each answer's follow-up
        { def: named[0], style: 4 + 32 + 256, answers: { 6: 'Continued.', 7: 'Stopped.', 2: null } },
        { def: { ...named[0], right: true, continuation: false }, style: 4 + 32 + 256 + 524288, answers: { 6: null, 7: null } },
        { def: { ...named[0], buttons: 2, defaultButton: 2 }, style: 2 + 32 + 512, answers: { 3: 'Continued.', 4: 'Stopped.', 5: null } },
    ];
    for (const c of cases) {
        const session = typed(c.def);
        assert.deepEqual(session.previewBox(), { prompt: c.def.body, style: c.style, title: c.def.title });
        for (const [code, text] of Object.entries(c.answers)) {
            const box = session.followUpBox(Number(code));
            assert.deepEqual(box, text === null ? null
                : { prompt: text, style: 32 + (c.def.right ? 524288 : 0), title: c.def.title }, `answer ${code}`);
        }
        session.delete();
    }
});
