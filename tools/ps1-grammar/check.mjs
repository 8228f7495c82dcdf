#!/usr/bin/env node
// Parses PowerShell scripts with the tree-sitter PowerShell grammar and lists
// every file that does not parse cleanly.
//
//   node check.mjs [--modules DIR] [--grammar-only] [--expect-fail] PATH...
//
// PATH is a .ps1 file or a folder (searched recursively for *.ps1). A file
// fails when the grammar leaves an ERROR or MISSING node in its tree, or when
// one of the checks the grammar cannot make finds a fault:
//   - the file is UTF-8 with a byte order mark and every line ends in CR LF
//     (skipped with --grammar-only);
//   - inside a single-quoted literal each of U+2018..U+201B is doubled, and
//     inside a double-quoted one each of U+201C..U+201E is: PowerShell takes
//     these curly quotes as quote characters, the grammar does not.
// Exit status: 0 when every file passes, 1 when any fails, 2 on bad usage or
// when no .ps1 file was found. With --expect-fail the verdict is inverted per
// file: 0 only when every file fails (a check that the checker can fail).
// --modules names the folder whose node_modules holds web-tree-sitter and
// tree-sitter-powershell (default: this script's folder).

import { readFileSync } from 'node:fs';
import v8 from 'node:v8';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { collectScripts } from '../script-files.mjs';

const usage = 'usage: check.mjs [--modules DIR] [--grammar-only] [--expect-fail] PATH...';

function parseArguments(argv) {
    const options = { modules: dirname(fileURLToPath(import.meta.url)), grammarOnly: false, expectFail: false,
                      paths: [] };
    for (let i = 0; i < argv.length; ++i) {
        const arg = argv[i];
        if (arg === '--modules' && i + 1 < argv.length) {
            options.modules = argv[++i];
        } else if (arg === '--grammar-only') {
            options.grammarOnly = true;
        } else if (arg === '--expect-fail') {
            options.expectFail = true;
        } else if (arg.startsWith('--')) {
            throw new Error(`unknown option ${arg}\n${usage}`);
        } else {
            options.paths.push(arg);
        }
    }
    if (options.paths.length === 0) {
        throw new Error(usage);
    }
    return options;
}

// Line and column (both from 1) of a UTF-16 index into the text.
function position(text, index) {
    let line = 1;
    let lineStart = 0;
    for (let i = text.indexOf('\n'); i !== -1 && i < index; i = text.indexOf('\n', i + 1)) {
        ++line;
        lineStart = i + 1;
    }
    return { line, column: index - lineStart + 1 };
}

function visible(text) {
    return JSON.stringify(text).slice(1, -1);
}

function snippet(text, index) {
    const start = Math.max(0, index - 20);
    return visible(text.slice(start, index)) + '>>' + visible(text.slice(index, index + 30));
}

function encodingFaults(bytes) {
    const faults = [];
    if (bytes.length < 3 || bytes[0] !== 0xef || bytes[1] !== 0xbb || bytes[2] !== 0xbf) {
        faults.push({ index: 0, what: 'no UTF-8 byte order mark' });
    }
    try {
        new TextDecoder('utf-8', { fatal: true }).decode(bytes);
    } catch {
        faults.push({ index: 0, what: 'not valid UTF-8' });
    }
    for (let i = 0; i < bytes.length; ++i) {
        const cr = bytes[i] === 0x0d;
        const lf = bytes[i] === 0x0a;
        if (cr && bytes[i + 1] !== 0x0a) {
            faults.push({ byte: i, what: 'a CR without LF' });
        } else if (lf && (i === 0 || bytes[i - 1] !== 0x0d)) {
            faults.push({ byte: i, what: 'an LF without CR' });
        }
    }
    if (bytes.length > 0 && bytes[bytes.length - 1] !== 0x0a) {
        faults.push({ byte: bytes.length, what: 'the last line does not end in CR LF' });
    }
    return faults;
}

const singleQuotes = /['\u2018\u2019\u201a\u201b]/;
const doubleQuotes = /["\u201c\u201d\u201e]/;

// Quote characters inside a literal must come in pairs; a lone one would end
// the literal in PowerShell. Backtick escapes count only in double quotes.
function loneQuote(literal, quoteClass, backticks) {
    for (let i = 1; i < literal.length - 1; ++i) {
        const c = literal[i];
        if (backticks && c === '`') {
            ++i;
        } else if (quoteClass.test(c)) {
            if (i + 1 < literal.length - 1 && quoteClass.test(literal[i + 1])) {
                ++i;
            } else {
                return i;
            }
        }
    }
    return -1;
}

function treeFaults(tree) {
    const faults = [];
    const walk = (node) => {
        if (node.isMissing) {
            faults.push({ index: node.startIndex, what: `MISSING ${node.type}` });
            return;
        }
        if (node.isError) {
            faults.push({ index: node.startIndex, what: 'ERROR' });
        }
        if (node.type === 'verbatim_string_characters' || node.type === 'expandable_string_literal') {
            const verbatim = node.type === 'verbatim_string_characters';
            const at = loneQuote(node.text, verbatim ? singleQuotes : doubleQuotes, !verbatim);
            if (at !== -1) {
                const code = node.text.charCodeAt(at).toString(16).toUpperCase().padStart(4, '0');
                faults.push({ index: node.startIndex + at, what: `U+${code} ends this literal in PowerShell` });
            }
        }
        if (node.hasError || node.childCount > 0) {
            for (const child of node.children) {
                if (child) {
                    walk(child);
                }
            }
        }
    };
    walk(tree.rootNode);
    return faults;
}

async function loadParser(modules) {
    const root = join(resolve(modules), 'node_modules');
    const { Parser, Language } = await import(pathToFileURL(join(root, 'web-tree-sitter', 'tree-sitter.js')).href);
    await Parser.init();
    const language = await Language.load(join(root, 'tree-sitter-powershell', 'tree-sitter-powershell.wasm'));
    const parser = new Parser();
    parser.setLanguage(language);
    return parser;
}

async function main() {
    let options;
    try {
        options = parseArguments(process.argv.slice(2));
    } catch (error) {
        console.error(error.message);
        return 2;
    }
    const files = [];
    try {
        for (const path of options.paths) {
            collectScripts(path, '.ps1', files);
        }
    } catch (error) {
        console.error(error.message);
        return 2;
    }
    if (files.length === 0) {
        console.error(`no .ps1 file in ${options.paths.join(', ')}`);
        return 2;
    }
    const parser = await loadParser(options.modules);
    let unexpected = 0;
    for (const file of files) {
        const bytes = readFileSync(file);
        let text = bytes.toString('utf8');
        if (text.startsWith('\ufeff')) {
            text = text.slice(1);
        }
        const faults = options.grammarOnly ? [] : encodingFaults(bytes);
        const tree = parser.parse(text);
        faults.push(...treeFaults(tree));
        tree.delete();
        const failed = faults.length > 0;
        if (failed !== options.expectFail) {
            ++unexpected;
        }
        if (!failed) {
            console.log(`${options.expectFail ? 'UNEXPECTED PASS' : 'ok'}: ${file}`);
            continue;
        }
        console.log(`${options.expectFail ? 'fails as expected' : 'FAIL'}: ${file}`);
        for (const fault of faults) {
            if (fault.byte !== undefined) {
                const before = bytes.subarray(0, fault.byte).toString('utf8');
                const at = position(before, before.length);
                console.log(`  ${file}:${at.line}:${at.column}: ${fault.what}`);
            } else {
                const at = position(text, fault.index);
                console.log(`  ${file}:${at.line}:${at.column}: ${fault.what}: ${snippet(text, fault.index)}`);
            }
        }
    }
    const verdict = options.expectFail ? 'passed although they should fail' : 'failed';
    console.log(`${files.length} file(s) checked, ${unexpected} ${verdict}`);
    return unexpected === 0 ? 0 : 1;
}

// The grammar's WebAssembly runs on V8's baseline compiler only: with the
// optimising one, node waits at exit for it to finish (tens of seconds of CPU
// for this grammar), far longer than any parse here takes.
v8.setFlagsFromString('--liftoff-only');
process.exitCode = await main();
