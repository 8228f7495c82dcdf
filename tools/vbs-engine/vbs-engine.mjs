#!/usr/bin/env node
// Runs VBScript files under Wine's VBScript engine and reports, for each file,
// whether it parses and runs and what every MsgBox call received.
//
//   node vbs-engine.mjs [--state DIR] [--answers 1,6,7] [--expect-fail] [--show] PATH...
//   node vbs-engine.mjs [--state DIR] --prepare
//
// PATH is a .vbs file or a folder (searched recursively for *.vbs). The files
// are taken byte for byte (code page 932, CR LF) and decoded by Wine with the
// Windows code page 932, as Windows would decode them.
//
// MsgBox never shows a window: a shim defined before the script shadows it,
// records (buttons + icon value, prompt, title) and answers the first box of a
// run with the chosen answer and every later box with 1 (OK). Wine's engine
// has no ChrW, so the shim supplies one (any code unit 0..65535, exactly).
//
// Many scripts run in one engine session: each becomes a Sub of one batch
// script, run once per answer. A batch that does not parse or that crashes
// the engine is split until the faulty scripts stand alone.
//
// The report of a script, one item a line:
//   answer A                       a run whose first box was answered A
//   box STYLE prompt=HEX title=HEX one MsgBox call; HEX is 4 upper-case hex
//                                  digits per UTF-16 code unit, nothing between
//   popup SECONDS STYLE prompt=HEX title=HEX
//                                  one call of WScript.Shell's Popup, answered
//                                  as MsgBox is (-1: the time ran out)
//   end ERR                        the run ended; ERR is Err.Number (0: no error)
//   syntax-error                   the engine refused to parse the script
//   engine-crash                   the engine crashed on it
// When FILE.vbs.expected exists beside a script, its report must equal that
// file (blank lines and lines starting with # are ignored) and the answers
// come from its "answer" lines; otherwise the script passes when it parses
// and every run ends with error 0, answering each run per --answers
// (default 1).
//
// Exit status: 0 every script passed (with --expect-fail: every one failed),
// 1 otherwise, 2 bad usage or a fault of the tool or of Wine's set-up,
// 77 Wine is not installed (a test should count this as skipped).
// --state names the folder for the Wine prefix, a ja_JP.UTF-8 locale if the
// system has none, and work files (default $BOXWRIGHT_WINE_STATE, else
// ./vbs-engine-state). --show prints every report, also of passing scripts.

import { spawnSync } from 'node:child_process';
import { closeSync, existsSync, mkdirSync, openSync, readFileSync, rmSync, statSync, writeFileSync } from 'node:fs';
import { join, resolve } from 'node:path';
import { collectScripts } from '../script-files.mjs';

const usage = 'usage: vbs-engine.mjs [--state DIR] [--answers LIST] [--expect-fail] [--show] PATH...\n' +
              '       vbs-engine.mjs [--state DIR] --prepare';
const exitSkip = 77;
const batchTimeoutMs = 120_000;

class ToolError extends Error {}

function parseArguments(argv) {
    const options = { state: process.env.BOXWRIGHT_WINE_STATE || 'vbs-engine-state', answers: [1],
                      expectFail: false, show: false, prepareOnly: false, paths: [] };
    for (let i = 0; i < argv.length; ++i) {
        const arg = argv[i];
        if (arg === '--state' && i + 1 < argv.length) {
            options.state = argv[++i];
        } else if (arg === '--answers' && i + 1 < argv.length) {
            options.answers = argv[++i].split(',').map(Number);
            if (options.answers.some((a) => !Number.isInteger(a))) {
                throw new ToolError(`--answers takes whole numbers: ${argv[i]}`);
            }
        } else if (arg === '--expect-fail') {
            options.expectFail = true;
        } else if (arg === '--show') {
            options.show = true;
        } else if (arg === '--prepare') {
            options.prepareOnly = true;
        } else {
            if (arg.startsWith('--')) {
                throw new ToolError(`unknown option ${arg}\n${usage}`);
            }
            options.paths.push(arg);
        }
    }
    if (options.paths.length === 0 && !options.prepareOnly) {
        throw new ToolError(usage);
    }
    options.state = resolve(options.state);
    return options;
}

// --- Wine -------------------------------------------------------------------

function findProgram(candidates) {
    for (const candidate of candidates) {
        if (candidate.includes('/')) {
            if (existsSync(candidate)) {
                return candidate;
            }
        } else if (spawnSync('sh', ['-c', `command -v ${candidate}`]).status === 0) {
            return candidate;
        }
    }
    return null;
}

function systemHasLocale(name) {
    const result = spawnSync('locale', ['-a'], { encoding: 'utf8' });
    return result.status === 0 && result.stdout.split('\n').some((l) => l.toLowerCase().replace('-', '') === name);
}

class Wine {
    constructor(state) {
        this.state = state;
        this.prefix = join(state, 'prefix');
        this.loader = findProgram(['/usr/lib/wine/wine64', 'wine64', 'wine']);
        this.server = findProgram(['/usr/lib/wine/wineserver64', 'wineserver']);
        const env = { ...process.env };
        for (const name of ['LC_ALL', 'LANGUAGE', 'DISPLAY', 'WAYLAND_DISPLAY']) {
            delete env[name];
        }
        // The code page comes from LC_CTYPE: ja_JP gives Windows code page 932.
        Object.assign(env, { WINEPREFIX: this.prefix, WINEDEBUG: '-all,fixme+vbscript',
                             WINEDLLOVERRIDES: 'mscoree,mshtml=', LANG: 'C.UTF-8', LC_CTYPE: 'ja_JP.UTF-8' });
        this.localeDir = join(state, 'locale');
        if (!systemHasLocale('ja_jp.utf8')) {
            env.LOCPATH = this.localeDir;
        }
        this.env = env;
    }

    // Wine's output goes to a file, not a pipe: Wine's services, started by
    // the first program and kept by the server, would hold a pipe open and
    // keep a caller waiting for its end until the server quits.
    run(args, timeoutMs) {
        mkdirSync(this.state, { recursive: true });
        const logPath = join(this.state, `wine-${process.pid}.log`);
        const log = openSync(logPath, 'w');
        let result;
        try {
            result = spawnSync(this.loader, args, { env: this.env, timeout: timeoutMs, stdio: ['ignore', log, log] });
        } finally {
            closeSync(log);
        }
        result.output = readFileSync(logPath, 'utf8');
        rmSync(logPath, { force: true });
        if (result.error && result.error.code === 'ETIMEDOUT') {
            this.stopServer();
        }
        return result;
    }

    // Keeps one server (and Wine's services) running while the batches run
    // and for a short while after, instead of a fresh start of several
    // seconds for each batch. An already running server is kept as it is.
    startServer() {
        if (this.server) {
            spawnSync(this.server, ['-p30'], { env: this.env, stdio: 'ignore' });
        }
    }

    stopServer() {
        if (this.server) {
            spawnSync(this.server, ['-k'], { env: this.env });
        }
    }

    prepare() {
        mkdirSync(this.state, { recursive: true });
        withLock(join(this.state, '.lock'), () => {
            if (this.env.LOCPATH && !existsSync(join(this.localeDir, 'ja_JP.UTF-8', 'LC_CTYPE'))) {
                mkdirSync(this.localeDir, { recursive: true });
                const made = spawnSync('localedef', ['-i', 'ja_JP', '-f', 'UTF-8',
                                                     join(this.localeDir, 'ja_JP.UTF-8')], { encoding: 'utf8' });
                if (!existsSync(join(this.localeDir, 'ja_JP.UTF-8', 'LC_CTYPE'))) {
                    throw new ToolError(`localedef could not make ja_JP.UTF-8 (Debian package locales):\n` +
                                        `${made.stderr || made.error}`);
                }
            }
            const ready = join(this.prefix, '.boxwright-ready');
            if (existsSync(ready)) {
                return;
            }
            rmSync(this.prefix, { recursive: true, force: true });
            const steps = [
                ['wineboot', '-i'],
                // A crash ends the process with a backtrace instead of waiting
                // on a crash dialog that nobody can close.
                ['reg', 'add', 'HKCU\\Software\\Wine\\WineDbg', '/v', 'ShowCrashDialog', '/t', 'REG_DWORD',
                 '/d', '0', '/f'],
            ];
            for (const step of steps) {
                const result = this.run(step, 300_000);
                if (result.status !== 0) {
                    throw new ToolError(`wine ${step.join(' ')} failed (${result.status ?? result.error}):\n` +
                                        `${result.output}`);
                }
            }
            writeFileSync(ready, '');
        });
    }
}

function sleep(ms) {
    Atomics.wait(new Int32Array(new SharedArrayBuffer(4)), 0, 0, ms);
}

// A folder as a lock between tools preparing the same state folder at once.
function withLock(path, action) {
    const deadline = Date.now() + 600_000;
    for (;;) {
        try {
            mkdirSync(path);
            break;
        } catch (error) {
            if (error.code !== 'EEXIST') {
                throw error;
            }
            if (Date.now() - statSync(path).mtimeMs > 900_000) {
                rmSync(path, { recursive: true, force: true });
            } else if (Date.now() > deadline) {
                throw new ToolError(`${path} stays locked`);
            }
            sleep(500);
        }
    }
    try {
        return action();
    } finally {
        rmSync(path, { recursive: true, force: true });
    }
}

// --- Batch scripts -----------------------------------------------------------

const crlf = (lines) => lines.map((l) => l + '\r\n').join('');

const prelude = crlf([
    'Dim shimFso, shimDir, shimOut, shimTable, shimAnswer, shimCalls',
    'Set shimFso = WScript.CreateObject("Scripting.FileSystemObject")',
    'shimDir = shimFso.GetParentFolderName(WScript.ScriptFullName)',
    'Set shimOut = shimFso.CreateTextFile(shimFso.BuildPath(shimDir, "report.txt"), True, True)',
    // Code unit n stands at position n + 2 (a space first keeps a reader
    // from taking unit 0xFEFF for a byte order mark).
    'shimTable = shimFso.OpenTextFile(shimFso.BuildPath(shimDir, "units.bin"), 1, False, -1).ReadAll',
    'shimOut.Write "ready" & vbCrLf',
    'Function ChrW(code)',
    '    Dim unit',
    '    unit = CLng(code)',
    '    If unit < 0 Then unit = unit + 65536',
    '    If unit < 0 Or unit > 65535 Then Err.Raise 5',
    '    ChrW = Mid(shimTable, unit + 2, 1)',
    'End Function',
    'Function MsgBox(prompt, buttons, title)',
    '    shimCalls = shimCalls + 1',
    '    shimOut.Write "box " & buttons & " " & Len(prompt) & ":" & prompt & " " & Len(title) & ":" & title & vbCrLf',
    '    If shimCalls = 1 Then MsgBox = shimAnswer Else MsgBox = 1',
    'End Function',
    // WScript.Shell's Popup, which a script calls for a box with a timeout:
    // recorded like MsgBox with its seconds, and answered the same way (an
    // answer of -1 is the time running out). Any other object is the real one.
    'Class ShimShell',
    '    Public Function Popup(prompt, seconds, title, buttons)',
    '        shimCalls = shimCalls + 1',
    '        shimOut.Write "popup " & seconds & " " & buttons & " " & Len(prompt) & ":" & prompt & " " & Len(title) & ":" & title & vbCrLf',
    '        If shimCalls = 1 Then Popup = shimAnswer Else Popup = 1',
    '    End Function',
    'End Class',
    'Function CreateObject(name)',
    '    If LCase(name) = "wscript.shell" Then',
    '        Set CreateObject = New ShimShell',
    '    Else',
    '        Set CreateObject = WScript.CreateObject(name)',
    '    End If',
    'End Function',
    'Sub shimStart(index, answer)',
    '    shimAnswer = answer',
    '    shimCalls = 0',
    '    shimOut.Write "run " & index & " " & answer & vbCrLf',
    'End Sub',
    'Sub shimFinish(number, description)',
    '    shimOut.Write "end " & number & " " & Len(description) & ":" & description & vbCrLf',
    'End Sub',
]);

function unitTable() {
    const table = Buffer.alloc(2 * 65537);
    table.writeUInt16LE(0x20, 0);
    for (let unit = 0; unit < 65536; ++unit) {
        table.writeUInt16LE(unit, 2 * (unit + 1));
    }
    return table;
}

function batchSource(scripts) {
    const parts = [Buffer.from(prelude, 'latin1')];
    scripts.forEach((script, index) => {
        parts.push(Buffer.from(`Sub BoxwrightScript${index}()\r\n`, 'latin1'), script.bytes);
        const last = script.bytes.length > 0 ? script.bytes[script.bytes.length - 1] : 0x0a;
        parts.push(Buffer.from(`${last === 0x0a ? '' : '\r\n'}End Sub\r\n`, 'latin1'));
    });
    const runs = [];
    scripts.forEach((script, index) => {
        for (const answer of script.answers) {
            runs.push(`shimStart ${index}, ${answer}`, 'On Error Resume Next', `BoxwrightScript${index}`,
                      'shimFinish Err.Number, Err.Description', 'On Error GoTo 0');
        }
    });
    runs.push('shimOut.Write "done" & vbCrLf', 'shimOut.Close');
    parts.push(Buffer.from(crlf(runs), 'latin1'));
    return Buffer.concat(parts);
}

// Reads the shim's report: keywords and numbers between spaces, texts as
// LENGTH:UNITS, items ending in CR LF.
class ReportReader {
    constructor(text) {
        this.text = text.startsWith('\ufeff') ? text.slice(1) : text;
        this.at = 0;
    }
    atEnd() { return this.at >= this.text.length; }
    word() {
        let end = this.at;
        while (end < this.text.length && !' \r'.includes(this.text[end])) {
            ++end;
        }
        const word = this.text.slice(this.at, end);
        this.at = end;
        if (this.text[this.at] === ' ') {
            ++this.at;
        }
        return word;
    }
    counted() {
        const colon = this.text.indexOf(':', this.at);
        const length = Number(this.text.slice(this.at, colon));
        const value = this.text.slice(colon + 1, colon + 1 + length);
        this.at = colon + 1 + length;
        if (this.text[this.at] === ' ') {
            ++this.at;
        }
        return value;
    }
    lineEnd() {
        if (this.text.startsWith('\r\n', this.at)) {
            this.at += 2;
            return true;
        }
        return false;
    }
}

function readReport(text, count) {
    const reader = new ReportReader(text);
    if (reader.word() !== 'ready' || !reader.lineEnd()) {
        return null;
    }
    const results = Array.from({ length: count }, () => ({ runs: [] }));
    let run = null;
    while (!reader.atEnd()) {
        const keyword = reader.word();
        if (keyword === 'run') {
            const index = Number(reader.word());
            run = { answer: Number(reader.word()), boxes: [], error: null };
            results[index].runs.push(run);
        } else if (keyword === 'box' && run) {
            run.boxes.push({ style: reader.word(), prompt: reader.counted(), title: reader.counted() });
        } else if (keyword === 'popup' && run) {
            run.boxes.push({ seconds: reader.word(), style: reader.word(), prompt: reader.counted(),
                             title: reader.counted() });
        } else if (keyword === 'end' && run) {
            run.error = Number(reader.word());
            run.description = reader.counted();
        } else if (keyword === 'done') {
            return results;
        } else {
            return null;
        }
        if (!reader.lineEnd()) {
            return null;
        }
    }
    return null;
}

let batchCount = 0;

// Runs scripts in one engine session. Returns one result per script, or null
// when the batch as a whole did not parse or did not finish.
function runBatch(wine, workDir, scripts, table) {
    const dir = join(workDir, `batch-${process.pid}-${batchCount++}`);
    mkdirSync(dir, { recursive: true });
    try {
        writeFileSync(join(dir, 'units.bin'), table);
        writeFileSync(join(dir, 'batch.vbs'), batchSource(scripts));
        const windowsPath = 'Z:' + join(dir, 'batch.vbs').replaceAll('/', '\\');
        const started = Date.now();
        const result = wine.run(['cscript', '//nologo', windowsPath], batchTimeoutMs);
        if (process.env.BOXWRIGHT_VBS_DEBUG) {
            console.error(`batch of ${scripts.length}: exit ${result.status}, ${Date.now() - started} ms`);
        }
        const reportPath = join(dir, 'report.txt');
        const report = existsSync(reportPath) ? readFileSync(reportPath).toString('utf16le') : '';
        const results = result.status === 0 ? readReport(report, scripts.length) : null;
        return { results, output: result.output, status: result.status, error: result.error, report };
    } finally {
        rmSync(dir, { recursive: true, force: true });
    }
}

function runAll(wine, workDir, scripts, table, results) {
    if (scripts.length === 0) {
        return;
    }
    const batch = runBatch(wine, workDir, scripts, table);
    if (batch.results) {
        scripts.forEach((script, i) => results.set(script, batch.results[i]));
        return;
    }
    if (scripts.length > 1) {
        const half = Math.ceil(scripts.length / 2);
        runAll(wine, workDir, scripts.slice(0, half), table, results);
        runAll(wine, workDir, scripts.slice(half), table, results);
        return;
    }
    const parserError = batch.output.split('\n').find((l) => l.includes(':parser_error '));
    if (batch.status === 0 && !batch.report && parserError) {
        // Wine names the rest of the text from the token it stopped at.
        const rest = parserError.replace(/^.*:parser_error L"/, '').replace(/"(\.\.\.)?: "[^"]*"\s*$/, '')
                                .replace(/(\\r)?\\nEnd Sub\\r\\n.*$/, '');
        results.set(scripts[0], { syntax: true, detail: `at "${rest.slice(0, 80)}"` });
    } else if (batch.error && batch.error.code === 'ETIMEDOUT') {
        results.set(scripts[0], { crash: true, detail: `no end after ${batchTimeoutMs / 1000} s` });
    } else {
        const lines = batch.output.split('\n').filter((l) => l && !l.includes('fixme:'));
        results.set(scripts[0], { crash: true, detail: `exit ${batch.status}: ${lines.slice(0, 3).join(' | ')}` });
    }
}

// --- Reports -----------------------------------------------------------------

const hex = (text) => Array.from({ length: text.length },
                                 (_, i) => text.charCodeAt(i).toString(16).toUpperCase().padStart(4, '0')).join('');

function reportLines(result) {
    if (result.syntax) {
        return ['syntax-error'];
    }
    if (result.crash) {
        return ['engine-crash'];
    }
    const lines = [];
    for (const run of result.runs) {
        lines.push(`answer ${run.answer}`);
        for (const box of run.boxes) {
            const kind = box.seconds === undefined ? 'box' : `popup ${box.seconds}`;
            lines.push(`${kind} ${box.style} prompt=${hex(box.prompt)} title=${hex(box.title)}`);
        }
        lines.push(`end ${run.error}`);
    }
    return lines;
}

// The report with the texts spelled out, for a person reading a failure.
function readableLines(result) {
    if (result.syntax || result.crash) {
        return [`${result.syntax ? 'syntax error' : 'engine crash'}: ${result.detail}`];
    }
    const lines = [];
    for (const run of result.runs) {
        lines.push(`answer ${run.answer}`);
        for (const box of run.boxes) {
            const kind = box.seconds === undefined ? 'box' : `popup ${box.seconds}`;
            lines.push(`  ${kind} ${box.style} prompt ${JSON.stringify(box.prompt)} title ${JSON.stringify(box.title)}`);
        }
        lines.push(`  end ${run.error}${run.error ? ` (${run.description})` : ''}`);
    }
    return lines;
}

function readExpectation(path) {
    if (!existsSync(path)) {
        return null;
    }
    return readFileSync(path, 'utf8').split('\n').map((l) => l.trim()).filter((l) => l && !l.startsWith('#'));
}

function main() {
    const options = parseArguments(process.argv.slice(2));
    const wine = new Wine(options.state);
    if (!wine.loader) {
        console.log('Wine is not installed (Debian package wine64): VBScript engine check skipped');
        return exitSkip;
    }
    const files = [];
    for (const path of options.paths) {
        collectScripts(path, '.vbs', files);
    }
    if (files.length === 0 && !options.prepareOnly) {
        throw new ToolError(`no .vbs file in ${options.paths.join(', ')}`);
    }
    const started = Date.now();
    wine.prepare();
    if (options.prepareOnly) {
        console.log(`Wine prefix ready in ${wine.prefix} (${((Date.now() - started) / 1000).toFixed(1)} s)`);
        return 0;
    }
    const scripts = files.map((file) => {
        const expected = readExpectation(`${file}.expected`);
        const answers = expected ? expected.filter((l) => l.startsWith('answer ')).map((l) => Number(l.slice(7)))
                                 : options.answers;
        return { file, bytes: readFileSync(file), expected, answers: answers.length > 0 ? answers : [1] };
    });
    const results = new Map();
    wine.startServer();
    const workDir = join(options.state, 'work');
    runAll(wine, workDir, scripts, unitTable(), results);

    let unexpected = 0;
    for (const script of scripts) {
        const result = results.get(script);
        const lines = reportLines(result);
        let failure = null;
        if (script.expected) {
            const at = lines.findIndex((line, i) => line !== script.expected[i]);
            if (at !== -1 || lines.length !== script.expected.length) {
                const i = at !== -1 ? at : Math.min(lines.length, script.expected.length);
                const [want, got] = [script.expected[i] ?? '', lines[i] ?? ''];
                let column = 0;
                while (column < want.length && want[column] === got[column]) {
                    ++column;
                }
                failure = `report differs from ${script.file}.expected at item ${i + 1}, column ${column + 1}:\n` +
                          `    expected: ${want || '(nothing)'}\n    actual:   ${got || '(nothing)'}`;
            }
        } else if (result.syntax || result.crash) {
            failure = readableLines(result)[0];
        } else if (result.runs.some((run) => run.error !== 0)) {
            failure = 'a run ended with an error';
        }
        if ((failure !== null) !== options.expectFail) {
            ++unexpected;
        }
        const verdict = failure === null ? (options.expectFail ? 'UNEXPECTED PASS' : 'ok')
                                         : (options.expectFail ? 'fails as expected' : 'FAIL');
        console.log(`${verdict}: ${script.file}`);
        if (failure !== null) {
            console.log(`  ${failure.replaceAll('\n', '\n  ')}`);
        }
        const stopped = result.syntax || result.crash;
        if ((failure !== null && !(stopped && !script.expected)) || options.show) {
            for (const line of readableLines(result)) {
                console.log(`    ${line}`);
            }
            if (options.show) {
                console.log(lines.map((l) => `    | ${l}`).join('\n'));
            }
        }
    }
    const seconds = ((Date.now() - started) / 1000).toFixed(1);
    const verdict = options.expectFail ? 'passed although they should fail' : 'failed';
    console.log(`${scripts.length} script(s) run by Wine's VBScript engine in ${seconds} s (${batchCount} batch(es)), ` +
                `${unexpected} ${verdict}`);
    return unexpected === 0 ? 0 : 1;
}

try {
    process.exitCode = main();
} catch (error) {
    console.error(error instanceof ToolError ? error.message : error.stack);
    process.exitCode = 2;
}
