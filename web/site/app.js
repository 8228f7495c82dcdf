// The page of the web edition: it shows the editor's controls as the core
// holds them, sends every click and keystroke to the core, and draws the
// message boxes. The core decides everything; the page only shows it.
// Text the user typed or opened is only ever set with textContent or value.
(function () {
    'use strict';

    const $ = (id) => document.getElementById(id);
    const FILE_NAMES = ['dialog.vbs', 'dialog.htm', 'dialog.ps1'];
    const FILE_TYPES = [
        { description: 'VBScript', accept: { 'text/vbscript': ['.vbs'] } },
        { description: 'HTML', accept: { 'text/html': ['.htm', '.html'] } },
        { description: 'PowerShell', accept: { 'text/plain': ['.ps1'] } },
    ];
    const FORMAT_CAPTIONS = ['VBScript', 'HTML', 'PowerShell'];
    // Text box ids and check box ids as the core numbers them.
    const TEXT = { body: 0, title: 1, slots: [3, 4, 5] };
    const CHECK = { followUps: 0, right: 1, slots: [2, 3, 4] };
    // Message box style bits.
    const MB_RIGHT = 524288;
    const RESULT_OK = 1, RESULT_CANCEL = 2, RESULT_YES = 6;
    const ACCESS_KEYS = { 3: 'A', 4: 'R', 5: 'I', 6: 'Y', 7: 'N' };
    const SVG = 'http://www.w3.org/2000/svg';

    let core = null;
    let session = null;
    let iconRows = [];
    let buttonRows = [];
    let codeFormat = 0;
    let boxOpen = false;
    const boxQueue = [];

    const toCrLf = (text) => text.replace(/\r\n|\r|\n/g, '\r\n');
    const toLf = (text) => text.replace(/\r\n/g, '\n');

    // A text box's value from the core: the text, or for a text too large to
    // edit in a box its beginning, read-only, as the desktop shows it.
    function setValue(element, text, glimpse = null) {
        const value = toLf(glimpse ?? text);
        if (element.value !== value) {
            element.value = value;
        }
        element.readOnly = glimpse !== null;
        element.title = glimpse === null ? ''
            : 'この文章は ' + grouped(text.length) + ' 文字あり、先頭だけを表示しています。編集はできません。保存すると全文を書き出します。';
    }

    function say(id, text) {
        $(id).textContent = text;
    }

    // 1234567 → "1,234,567", as the desktop's status line groups digits.
    const grouped = (n) => String(n).replace(/\B(?=(\d{3})+$)/g, ',');

    const errorText = (error) => String(error && error.message ? error.message : error);

    // ---- Icons (drawn, no files) -------------------------------------------

    function svgElement(name, attributes, text) {
        const element = document.createElementNS(SVG, name);
        for (const [key, value] of Object.entries(attributes)) {
            element.setAttribute(key, value);
        }
        if (text) {
            element.textContent = text;
        }
        return element;
    }

    // The icon of a message box style (16, 32, 48, 64), or null for none.
    function iconSvg(iconStyle, size) {
        const kinds = {
            16: { shape: 'circle', fill: '#c42b1c', glyph: '×', ink: '#ffffff', name: 'critical' },
            32: { shape: 'circle', fill: '#0067c0', glyph: '?', ink: '#ffffff', name: 'question' },
            48: { shape: 'triangle', fill: '#ffc83d', glyph: '!', ink: '#1f1f1f', name: 'exclamation' },
            64: { shape: 'circle', fill: '#0067c0', glyph: 'i', ink: '#ffffff', name: 'information' },
        };
        const kind = kinds[iconStyle];
        if (!kind) {
            return null;
        }
        const svg = svgElement('svg', {
            viewBox: '0 0 32 32', width: String(size), height: String(size),
            'aria-hidden': 'true', focusable: 'false', class: 'icon icon-' + kind.name,
        });
        if (kind.shape === 'circle') {
            svg.appendChild(svgElement('circle', { cx: '16', cy: '16', r: '15', fill: kind.fill }));
        } else {
            svg.appendChild(svgElement('path', {
                d: 'M16 2.5c.9 0 1.7.5 2.2 1.3l12.4 21.6c1 1.7-.2 3.8-2.2 3.8H3.6c-2 0-3.2-2.1-2.2-3.8L13.8 3.8c.5-.8 1.3-1.3 2.2-1.3z',
                fill: kind.fill,
            }));
        }
        if (kind.glyph === '×') {
            svg.appendChild(svgElement('path', {
                d: 'M10.5 10.5l11 11M21.5 10.5l-11 11', stroke: kind.ink, 'stroke-width': '2.6', 'stroke-linecap': 'round',
            }));
        } else if (kind.glyph === 'i') {
            svg.appendChild(svgElement('circle', { cx: '16', cy: '9.5', r: '2', fill: kind.ink }));
            svg.appendChild(svgElement('rect', { x: '14.3', y: '13.5', width: '3.4', height: '11', rx: '1.2', fill: kind.ink }));
        } else if (kind.glyph === '!') {
            svg.appendChild(svgElement('rect', { x: '14.4', y: '10', width: '3.2', height: '10.5', rx: '1.2', fill: kind.ink }));
            svg.appendChild(svgElement('circle', { cx: '16', cy: '24.2', r: '1.9', fill: kind.ink }));
        } else {
            svg.appendChild(svgElement('path', {
                d: 'M11.6 12.2c0-2.6 2-4.4 4.5-4.4s4.4 1.7 4.4 4c0 3.6-4.5 3.6-4.5 7.4',
                fill: 'none', stroke: kind.ink, 'stroke-width': '2.8', 'stroke-linecap': 'round',
            }));
            svg.appendChild(svgElement('circle', { cx: '16', cy: '24.3', r: '1.9', fill: kind.ink }));
        }
        return svg;
    }

    // ---- The message box -----------------------------------------------------

    // The buttons of a style, in order, as the core's table gives them.
    function buttonsOfStyle(style) {
        const row = buttonRows.find((r) => r.style === (style & 15)) || buttonRows.find((r) => r.style === 0);
        return row.returnCodes.slice(0, row.buttonCount);
    }

    // The result Esc (and the close box) gives, or null where Windows
    // disables them: a box with a Cancel button, or with OK alone.
    function escapeResult(codes) {
        if (codes.includes(RESULT_CANCEL)) {
            return RESULT_CANCEL;
        }
        return codes.length === 1 && codes[0] === RESULT_OK ? RESULT_OK : null;
    }

    // Shows one message box; resolves with the result code pressed.
    function showBox(box) {
        return new Promise((resolve) => {
            boxQueue.push({ box, resolve });
            if (!boxOpen) {
                nextBox();
            }
        });
    }

    function nextBox() {
        const item = boxQueue.shift();
        if (item) {
            drawBox(item.box, item.resolve);
        }
    }

    function drawBox(box, resolve) {
        boxOpen = true;
        const layer = $('box-layer');
        const main = $('editor');
        const returnFocus = document.activeElement;
        const style = box.style | 0;
        const codes = buttonsOfStyle(style);
        const escape = escapeResult(codes);
        const defaultIndex = (style >> 8) & 3;

        const dialog = document.createElement('div');
        dialog.className = 'msgbox';
        dialog.setAttribute('role', 'alertdialog');
        dialog.setAttribute('aria-modal', 'true');
        dialog.setAttribute('aria-labelledby', 'box-title');
        dialog.setAttribute('aria-describedby', 'box-text');

        const bar = document.createElement('div');
        bar.className = 'box-titlebar';
        const title = document.createElement('span');
        title.id = 'box-title';
        title.className = 'box-title';
        title.textContent = box.title;
        const close = document.createElement('button');
        close.type = 'button';
        close.className = 'box-close';
        close.tabIndex = -1;
        close.setAttribute('aria-label', '閉じる');
        close.textContent = '✕';
        close.disabled = escape === null;
        bar.append(title, close);

        const content = document.createElement('div');
        content.className = 'box-content';
        const icon = iconSvg(style & 0xF0, 32);
        if (icon) {
            content.appendChild(icon);
        }
        const text = document.createElement('div');
        text.id = 'box-text';
        text.className = 'box-text' + ((style & MB_RIGHT) ? ' right' : '');
        text.textContent = toLf(box.prompt);
        content.appendChild(text);

        const row = document.createElement('div');
        row.className = 'box-buttons';
        const buttons = codes.map((code) => {
            const button = document.createElement('button');
            button.type = 'button';
            button.dataset.result = String(code);
            button.append(core.buttonName(code));
            const key = ACCESS_KEYS[code];
            if (key) {
                const u = document.createElement('u');
                u.textContent = key;
                button.append('(', u, ')');
                button.setAttribute('aria-keyshortcuts', key);
            }
            button.addEventListener('click', () => finish(code));
            row.appendChild(button);
            return button;
        });
        const defaultButton = buttons[defaultIndex < buttons.length ? defaultIndex : 0];
        defaultButton.classList.add('default');

        dialog.append(bar, content, row);
        layer.replaceChildren(dialog);
        main.inert = true;
        layer.hidden = false;
        if (text.scrollHeight > text.clientHeight + 1) {
            text.tabIndex = 0;  // long text scrolls: let the keyboard reach it
            text.classList.add('scrolls');
        }
        defaultButton.focus();

        function finish(code) {
            dialog.removeEventListener('keydown', onKey);
            layer.hidden = true;
            layer.replaceChildren();
            main.inert = false;
            boxOpen = false;
            if (returnFocus && returnFocus.isConnected && typeof returnFocus.focus === 'function') {
                returnFocus.focus();
            }
            resolve(code);
            nextBox();
        }

        close.addEventListener('click', () => {
            if (escape !== null) {
                finish(escape);
            }
        });

        function onKey(event) {
            const focusables = [...(text.tabIndex === 0 ? [text] : []), ...buttons];
            const at = focusables.indexOf(document.activeElement);
            if (event.key === 'Tab') {
                event.preventDefault();
                const step = event.shiftKey ? -1 : 1;
                focusables[(at + step + focusables.length) % focusables.length].focus();
                return;
            }
            if (event.key === 'Escape') {
                event.preventDefault();
                if (escape !== null) {
                    finish(escape);
                }
                return;
            }
            if (event.key === 'Enter') {
                event.preventDefault();
                const focused = buttons.indexOf(document.activeElement);
                finish(codes[focused >= 0 ? focused : buttons.indexOf(defaultButton)]);
                return;
            }
            if (['ArrowLeft', 'ArrowUp', 'ArrowRight', 'ArrowDown'].includes(event.key) && document.activeElement !== text) {
                event.preventDefault();
                const step = event.key === 'ArrowLeft' || event.key === 'ArrowUp' ? -1 : 1;
                const current = Math.max(0, buttons.indexOf(document.activeElement));
                buttons[(current + step + buttons.length) % buttons.length].focus();
                return;
            }
            if (event.ctrlKey || event.metaKey || event.key.length !== 1) {
                return;
            }
            const letter = event.key.toUpperCase();
            const index = codes.findIndex((code) => ACCESS_KEYS[code] === letter);
            if (index >= 0) {
                event.preventDefault();
                finish(codes[index]);
            }
        }
        dialog.addEventListener('keydown', onKey);
    }

    // Focus that wanders out of an open box (a click on the backdrop) goes back.
    document.addEventListener('focusin', (event) => {
        const layer = $('box-layer');
        if (boxOpen && !layer.contains(event.target)) {
            const target = layer.querySelector('button.default') || layer.querySelector('button');
            if (target) {
                target.focus();
            }
        }
    });

    // ---- The editor ---------------------------------------------------------

    function radio(name, id, value, captionNodes) {
        const wrap = document.createElement('div');
        wrap.className = 'choice';
        const input = document.createElement('input');
        input.type = 'radio';
        input.name = name;
        input.id = id;
        input.value = String(value);
        const label = document.createElement('label');
        label.htmlFor = id;
        label.append(...captionNodes);
        wrap.append(input, label);
        return wrap;
    }

    function buildChoices() {
        const icons = $('icons');
        for (const row of iconRows) {
            const picture = iconSvg(row.style, 16);
            icons.appendChild(radio('icon', 'icon-' + row.option, row.option, picture ? [picture, row.caption] : [row.caption]));
        }
        const sets = $('buttons');
        for (const row of buttonRows) {
            sets.appendChild(radio('buttons', 'buttons-' + row.option, row.option, [row.caption]));
        }
        const defaults = $('defaults');
        for (let position = 0; position < 3; position++) {
            const caption = document.createElement('span');
            caption.id = 'default-caption-' + position;
            defaults.appendChild(radio('default', 'default-' + position, position, [caption]));
        }
    }

    // Shows every control as the core holds it.
    function render() {
        const c = session.controls();
        setValue($('title'), c.texts[TEXT.title], c.glimpses[TEXT.title]);
        setValue($('body'), c.texts[TEXT.body], c.glimpses[TEXT.body]);
        $('right').checked = c.checks[CHECK.right] !== 0;
        $('followups').checked = c.checks[CHECK.followUps] !== 0;
        $('followups').setAttribute('aria-expanded', String(c.wide));

        for (const input of document.querySelectorAll('input[name="icon"]')) {
            input.checked = Number(input.value) === c.iconOption;
        }
        for (const input of document.querySelectorAll('input[name="buttons"]')) {
            input.checked = Number(input.value) === c.buttonOption;
        }
        const set = buttonRows.find((row) => row.option === c.buttonOption);
        for (let position = 0; position < 3; position++) {
            const input = $('default-' + position);
            const shown = position < c.defaultChoices;
            input.parentElement.hidden = !shown;
            input.checked = shown && position === c.defaultButton;
            $('default-caption-' + position).textContent =
                set && position < set.returnCodes.length ? core.buttonName(set.returnCodes[position]) : String(position + 1);
        }

        $('form').classList.toggle('wide', c.wide);
        $('slots').hidden = !c.wide;
        for (let slot = 0; slot < 3; slot++) {
            $('slot' + slot).hidden = !c.frameVisible[slot];
            $('slot' + slot + '-caption').textContent = c.captions[slot];
            const check = $('slot' + slot + '-check');
            check.checked = c.checks[CHECK.slots[slot]] !== 0;
            check.disabled = !c.slotControlsEnabled[slot];
            const text = $('slot' + slot + '-text');
            setValue(text, c.texts[TEXT.slots[slot]], c.glimpses[TEXT.slots[slot]]);
            text.disabled = !c.slotTextEnabled[slot];
        }

        const count = $('body-count');
        count.textContent = '本文：' + grouped(c.bodyLength) + ' / ' + grouped(c.promptLimit) + ' 文字';
        count.classList.toggle('over', c.bodyLength > c.promptLimit);

        say('state', c.changed ? '変更はまだ保存されていません。' : '');
        document.title = (c.changed ? '* ' : '') + 'Boxwright';
        document.body.dataset.changed = String(c.changed);
        renderCode();
    }

    function renderCode() {
        setValue($('code'), session.scriptText(codeFormat));
    }

    function selectTab(format, focus) {
        codeFormat = format;
        for (const tab of document.querySelectorAll('[role="tab"]')) {
            const selected = Number(tab.dataset.format) === format;
            tab.setAttribute('aria-selected', String(selected));
            tab.tabIndex = selected ? 0 : -1;
            if (selected && focus) {
                tab.focus();
            }
        }
        $('code-panel').setAttribute('aria-labelledby', 'tab' + format);
        $('code').setAttribute('aria-labelledby', 'code-heading tab' + format);
        say('copy-status', '');
        renderCode();
    }

    // ---- Preview, open, save ------------------------------------------------

    async function preview() {
        const pressed = await showBox(session.previewBox());
        const followUp = session.followUpBox(pressed);
        if (followUp) {
            await showBox(followUp);
        }
    }

    // The file opened through the browser's own picker, which a save of the
    // same format writes back to; null for a file from the file input or a drop.
    let openedHandle = null;

    // The file's own format, by the end of its name: 0 .vbs, 1 .htm, 2 .ps1.
    function formatOf(name) {
        const lower = name.toLowerCase();
        return FILE_NAMES.findIndex((fileName) => lower.endsWith(fileName.slice(fileName.lastIndexOf('.'))));
    }

    async function openFile(file, handle = null) {
        if (!file) {
            return;
        }
        let bytes;
        try {
            bytes = new Uint8Array(await file.arrayBuffer());
        } catch (error) {
            await showBox({ prompt: '「' + file.name + '」を読めませんでした。', style: 16, title: 'Boxwright' });
            return;
        }
        let result = session.open(file.name, bytes, false);
        if (result.outcome === 'confirm' && result.message) {
            const answer = await showBox(result.message);
            if (answer !== RESULT_YES) {
                render();
                return;
            }
            result = session.open(file.name, bytes, true);
        }
        if (result.outcome === 'failed' && result.message) {
            await showBox(result.message);
        }
        render();
        if (result.outcome === 'read') {
            openedHandle = handle;
            say('state', '「' + file.name + '」を開きました。');
        }
    }

    // 開く: the browser's own picker where it has one, so that a save can
    // write back to the file; the file input elsewhere.
    async function chooseAndOpen() {
        if (typeof window.showOpenFilePicker === 'function') {
            let handle = null;
            try {
                [handle] = await window.showOpenFilePicker({ types: [FILE_TYPES[0], FILE_TYPES[2]] });
            } catch (error) {
                if (error && error.name === 'AbortError') {
                    return;  // the user closed the picker
                }
            }
            if (handle) {
                await openFile(await handle.getFile(), handle);
                return;
            }
        }
        $('open-file').click();
    }

    // Writes the bytes back to the opened file when it is of this format and
    // the browser grants writing; false when it is not, or may not be.
    async function writeBack(format, bytes) {
        if (!openedHandle || formatOf(openedHandle.name) !== format) {
            return false;
        }
        const mode = { mode: 'readwrite' };
        if (typeof openedHandle.requestPermission === 'function' &&
            (await openedHandle.queryPermission(mode)) !== 'granted' &&
            (await openedHandle.requestPermission(mode)) !== 'granted') {
            return false;
        }
        const writable = await openedHandle.createWritable();
        await writable.write(bytes);
        await writable.close();
        return true;
    }

    function download(bytes, name) {
        const blob = bytes instanceof Blob ? bytes : new Blob([bytes], { type: 'application/octet-stream' });
        const url = URL.createObjectURL(blob);
        const link = document.createElement('a');
        link.href = url;
        link.download = name;
        link.hidden = true;
        document.body.appendChild(link);
        link.click();
        link.remove();
        setTimeout(() => URL.revokeObjectURL(url), 60000);
    }

    async function save(format) {
        const bytes = session.encode(format);
        const name = FILE_NAMES[format];
        try {
            if (await writeBack(format, bytes)) {
                session.markSaved();
                render();
                say('state', '「' + openedHandle.name + '」に上書き保存しました。');
                return;
            }
        } catch (error) {
            await showBox({
                prompt: '「' + openedHandle.name + '」に保存できませんでした。\r\n' +
                    String(error && error.message ? error.message : error),
                style: 16, title: 'Boxwright',
            });
            return;
        }
        if (typeof window.showSaveFilePicker === 'function') {
            let handle = null;
            try {
                handle = await window.showSaveFilePicker({ suggestedName: name, types: [FILE_TYPES[format]] });
            } catch (error) {
                if (error && error.name === 'AbortError') {
                    return;  // the user closed the picker
                }
                handle = null;  // no picker here (a page from a file): download instead
            }
            if (handle) {
                try {
                    const writable = await handle.createWritable();
                    await writable.write(bytes);
                    await writable.close();
                } catch (error) {
                    await showBox({
                        prompt: '保存できませんでした。\r\n' + String(error && error.message ? error.message : error),
                        style: 16, title: 'Boxwright',
                    });
                    return;
                }
                session.markSaved();
                render();
                say('state', '「' + (handle.name || name) + '」に保存しました。');
                return;
            }
        }
        download(bytes, name);
        session.markSaved();
        render();
        say('state', '「' + name + '」をダウンロードしました。');
    }

    async function copyCode() {
        const text = session.scriptText(codeFormat);
        try {
            await navigator.clipboard.writeText(text);
        } catch (error) {
            const area = $('code');
            area.focus();
            area.select();
            if (!document.execCommand('copy')) {
                say('copy-status', 'コピーできませんでした。コードを選んでコピーしてください。');
                return;
            }
        }
        say('copy-status', FORMAT_CAPTIONS[codeFormat] + ' のコードをコピーしました。');
    }

    // ---- Bulk conversion -----------------------------------------------------
    //
    // Each .vbs is converted by the core as the command line's --to-ps1 does;
    // the page only keeps the results of the last batch and writes them where
    // the user says: into a folder (where the browser lets a page write to
    // one), or as one download (one .ps1, or a ZIP of them all).

    const ZIP_NAME = 'boxwright-ps1.zip';
    let batch = [];  // { name, target, bytes|null, line, outcome, refused }

    function drawResults() {
        const list = $('convert-results');
        list.replaceChildren(...batch.map((item) => {
            const li = document.createElement('li');
            li.className = item.refused ? 'refused' : 'converted';
            li.append(item.line);
            if (item.outcome) {
                const outcome = document.createElement('span');
                outcome.className = 'outcome';
                outcome.textContent = '　' + item.outcome;
                li.append(outcome);
            }
            return li;
        }));
        const ready = batch.filter((item) => item.bytes).length;
        $('convert-folder').disabled = ready === 0;
        $('convert-download').disabled = ready === 0;
        $('convert-download').textContent = ready > 1 ? 'ZIP でダウンロード' : 'ダウンロード';
    }

    async function convertFiles(files) {
        const taken = new Map();  // output name, as Windows compares names → the first input
        batch = [];
        for (const file of files) {
            let bytes = null;
            try {
                bytes = new Uint8Array(await file.arrayBuffer());
            } catch (error) {
                batch.push({ name: file.name, bytes: null, refused: true, line: file.name + ': 開けませんでした。' + errorText(error) });
                continue;
            }
            const result = core.convertToPs1(file.name, bytes);
            const key = result.name.toLowerCase();
            if (taken.has(key)) {
                const earlier = taken.get(key);
                batch.push({
                    name: file.name, bytes: null, refused: true,
                    line: file.name + ': ' + earlier.name + ' と同じ ' + earlier.target + ' に書くことになるので、変換しません。',
                });
                continue;
            }
            taken.set(key, { name: file.name, target: result.name });
            batch.push(result.ok
                ? { name: file.name, target: result.name, bytes: result.bytes, line: file.name + ' → ' + result.name, outcome: '変換しました（まだ保存していません）' }
                : { name: file.name, bytes: null, refused: true, line: result.message });
        }
        const ready = batch.filter((item) => item.bytes).length;
        say('convert-status', files.length + ' 個のファイルのうち ' + ready + ' 個を変換しました。'
            + (ready ? ' 保存先を選んでください。' : ''));
        drawResults();
    }

    async function hasFile(folder, name) {
        try {
            await folder.getFileHandle(name);
            return true;
        } catch (error) {
            if (error && error.name === 'NotFoundError') {
                return false;
            }
            throw error;
        }
    }

    async function writeToFolder() {
        let folder;
        try {
            folder = await window.showDirectoryPicker({ id: 'boxwright-ps1', mode: 'readwrite' });
        } catch (error) {
            if (!(error && error.name === 'AbortError')) {
                say('convert-status', 'フォルダーを選べませんでした（' + errorText(error) + '）。ダウンロードで保存してください。');
            }
            return;
        }
        const overwrite = $('convert-overwrite').checked;
        let written = 0;
        for (const item of batch.filter((i) => i.bytes)) {
            try {
                if (!overwrite && await hasFile(folder, item.target)) {
                    item.outcome = item.target + ' はすでにあります。上書きするには「上書きする」にチェックを付けてください。';
                    continue;
                }
                const handle = await folder.getFileHandle(item.target, { create: true });
                const writable = await handle.createWritable();
                await writable.write(item.bytes);
                await writable.close();
                item.outcome = '「' + folder.name + '」に書き込みました。';
                written++;
            } catch (error) {
                item.outcome = item.target + ' に保存できませんでした。' + errorText(error);
            }
        }
        say('convert-status', '「' + folder.name + '」に ' + written + ' 個の .ps1 を書き込みました。');
        drawResults();
    }

    // One .ps1 downloads as it is; several go into one ZIP, since a browser
    // asks (or refuses) when a page starts many downloads at once.
    function downloadConverted() {
        const ready = batch.filter((item) => item.bytes);
        if (ready.length === 1) {
            download(ready[0].bytes, ready[0].target);
            ready[0].outcome = 'ダウンロードしました。';
            say('convert-status', '「' + ready[0].target + '」をダウンロードしました。');
        } else if (ready.length > 1) {
            download(zipStored(ready.map((item) => ({ name: item.target, bytes: item.bytes })), new Date()), ZIP_NAME);
            for (const item of ready) {
                item.outcome = ZIP_NAME + ' に入れました。';
            }
            say('convert-status', ready.length + ' 個の .ps1 を「' + ZIP_NAME + '」にまとめてダウンロードしました。');
        }
        drawResults();
    }

    // ---- A ZIP archive, stored (uncompressed) --------------------------------

    const CRC_TABLE = (() => {
        const table = new Uint32Array(256);
        for (let n = 0; n < 256; n++) {
            let c = n;
            for (let k = 0; k < 8; k++) {
                c = c & 1 ? 0xEDB88320 ^ (c >>> 1) : c >>> 1;
            }
            table[n] = c >>> 0;
        }
        return table;
    })();

    function crc32(bytes) {
        let c = 0xFFFFFFFF;
        for (let i = 0; i < bytes.length; i++) {
            c = CRC_TABLE[(c ^ bytes[i]) & 0xFF] ^ (c >>> 8);
        }
        return (c ^ 0xFFFFFFFF) >>> 0;
    }

    // The files ({ name, bytes }) as one ZIP archive: every entry stored, its
    // name in UTF-8 (flag bit 11), dated `date` in local time.
    function zipStored(files, date) {
        const utf8 = new TextEncoder();
        const year = Math.min(Math.max(date.getFullYear(), 1980), 2107);
        const dosTime = (date.getHours() << 11) | (date.getMinutes() << 5) | (date.getSeconds() >> 1);
        const dosDate = ((year - 1980) << 9) | ((date.getMonth() + 1) << 5) | date.getDate();
        const UTF8_NAMES = 0x0800;
        const entries = [];
        const directory = [];
        let offset = 0;
        for (const file of files) {
            const name = utf8.encode(file.name);
            const crc = crc32(file.bytes);
            const size = file.bytes.length;
            const local = new DataView(new ArrayBuffer(30));
            local.setUint32(0, 0x04034B50, true);
            local.setUint16(4, 20, true);  // version needed: 2.0
            local.setUint16(6, UTF8_NAMES, true);
            local.setUint16(8, 0, true);  // stored
            local.setUint16(10, dosTime, true);
            local.setUint16(12, dosDate, true);
            local.setUint32(14, crc, true);
            local.setUint32(18, size, true);
            local.setUint32(22, size, true);
            local.setUint16(26, name.length, true);
            local.setUint16(28, 0, true);
            entries.push(local, name, file.bytes);

            const central = new DataView(new ArrayBuffer(46));
            central.setUint32(0, 0x02014B50, true);
            central.setUint16(4, 20, true);  // made by: MS-DOS attributes, 2.0
            central.setUint16(6, 20, true);
            central.setUint16(8, UTF8_NAMES, true);
            central.setUint16(10, 0, true);
            central.setUint16(12, dosTime, true);
            central.setUint16(14, dosDate, true);
            central.setUint32(16, crc, true);
            central.setUint32(20, size, true);
            central.setUint32(24, size, true);
            central.setUint16(28, name.length, true);
            // extra, comment, disk, internal and external attributes: 0
            central.setUint32(42, offset, true);
            directory.push(central, name);
            offset += 30 + name.length + size;
        }
        const directorySize = directory.reduce((sum, part) => sum + part.byteLength, 0);
        const end = new DataView(new ArrayBuffer(22));
        end.setUint32(0, 0x06054B50, true);
        end.setUint16(8, files.length, true);
        end.setUint16(10, files.length, true);
        end.setUint32(12, directorySize, true);
        end.setUint32(16, offset, true);
        return new Blob([...entries, ...directory, end], { type: 'application/zip' });
    }

    // ---- Wiring -------------------------------------------------------------

    function act(action) {
        return (event) => {
            action(event);
            render();
        };
    }

    function wire() {
        $('form').addEventListener('submit', (event) => event.preventDefault());
        $('title').addEventListener('input', act((e) => session.setText(TEXT.title, toCrLf(e.target.value))));
        $('body').addEventListener('input', act((e) => session.setText(TEXT.body, toCrLf(e.target.value))));
        $('right').addEventListener('change', act((e) => session.setCheck(CHECK.right, e.target.checked ? 1 : 0)));
        $('followups').addEventListener('change', act((e) => session.setCheck(CHECK.followUps, e.target.checked ? 1 : 0)));
        for (let slot = 0; slot < 3; slot++) {
            $('slot' + slot + '-check').addEventListener('change',
                act((e) => session.setCheck(CHECK.slots[slot], e.target.checked ? 1 : 0)));
            $('slot' + slot + '-text').addEventListener('input',
                act((e) => session.setText(TEXT.slots[slot], toCrLf(e.target.value))));
        }
        $('icons').addEventListener('change', act((e) => session.selectIcon(Number(e.target.value))));
        $('buttons').addEventListener('change', act((e) => session.selectButtons(Number(e.target.value))));
        $('defaults').addEventListener('change', act((e) => session.setDefaultButton(Number(e.target.value))));

        $('preview').addEventListener('click', () => { preview(); });
        $('new').addEventListener('click', act(() => {
            session.newDialog();
            openedHandle = null;
            say('state', '');
        }));
        $('open').addEventListener('click', () => { chooseAndOpen(); });
        $('open-file').addEventListener('change', async (event) => {
            const file = event.target.files[0];
            await openFile(file);
            event.target.value = '';
        });
        for (const button of document.querySelectorAll('[id^="save-"]')) {
            button.addEventListener('click', () => { save(Number(button.dataset.format)); });
        }

        const tabs = [...document.querySelectorAll('[role="tab"]')];
        for (const tab of tabs) {
            tab.addEventListener('click', () => selectTab(Number(tab.dataset.format), false));
            tab.addEventListener('keydown', (event) => {
                const at = tabs.indexOf(tab);
                const moves = { ArrowLeft: at - 1, ArrowRight: at + 1, Home: 0, End: tabs.length - 1 };
                if (event.key in moves) {
                    event.preventDefault();
                    selectTab((moves[event.key] + tabs.length) % tabs.length, true);
                }
            });
        }
        $('copy').addEventListener('click', () => { copyCode(); });

        $('convert-pick').addEventListener('click', () => $('convert-files').click());
        $('convert-files').addEventListener('change', async (event) => {
            await convertFiles([...event.target.files]);
            event.target.value = '';
        });
        if (typeof window.showDirectoryPicker === 'function') {
            $('convert-folder').hidden = false;
            $('convert-overwrite-row').hidden = false;
            $('convert-folder').addEventListener('click', () => { writeToFolder(); });
        }
        $('convert-download').addEventListener('click', downloadConverted);

        // A file dropped on the page opens; files dropped on the conversion
        // area, or several at once anywhere, are converted.
        const hint = $('drop-hint');
        const zone = $('convert-section');
        const hasFiles = (event) => event.dataTransfer && [...event.dataTransfer.types].includes('Files');
        const onZone = (event) => event.target instanceof Node && zone.contains(event.target);
        const endDrag = () => {
            hint.hidden = true;
            zone.classList.remove('drop-target');
        };
        document.addEventListener('dragover', (event) => {
            if (hasFiles(event) && !boxOpen) {
                event.preventDefault();
                event.dataTransfer.dropEffect = 'copy';
                const converting = onZone(event);
                hint.textContent = converting ? 'ここにドロップして .ps1 に変換' : 'ここにドロップして開く（いくつも落とすと .ps1 に変換）';
                zone.classList.toggle('drop-target', converting);
                hint.hidden = false;
            }
        });
        document.addEventListener('dragleave', (event) => {
            if (!event.relatedTarget) {
                endDrag();
            }
        });
        document.addEventListener('drop', (event) => {
            endDrag();
            if (hasFiles(event)) {
                event.preventDefault();
                if (boxOpen) {
                    return;
                }
                const files = [...event.dataTransfer.files];
                if (onZone(event) || files.length > 1) {
                    convertFiles(files);
                } else {
                    openFile(files[0]);
                }
            }
        });

        window.addEventListener('beforeunload', (event) => {
            if (session && session.controls().changed) {
                event.preventDefault();
                event.returnValue = '';
            }
        });
    }

    async function start() {
        const status = $('load-status');
        try {
            if (typeof window.createBoxwrightCore !== 'function') {
                throw new Error('boxwright-core.js がありません');
            }
            core = await window.createBoxwrightCore();
            session = new core.PageSession();
            iconRows = core.iconTable();
            buttonRows = core.buttonSetTable();
        } catch (error) {
            status.setAttribute('role', 'alert');
            status.textContent = 'Boxwright を読み込めませんでした（' + String(error && error.message ? error.message : error) + '）。';
            $('editor').setAttribute('aria-busy', 'false');
            $('form').hidden = true;
            document.body.dataset.ready = 'failed';
            return;
        }
        buildChoices();
        wire();
        render();
        $('form').hidden = false;
        $('code-section').hidden = false;
        $('convert-section').hidden = false;
        status.hidden = true;
        $('editor').setAttribute('aria-busy', 'false');
        document.body.dataset.ready = 'true';
        performance.mark('boxwright-ready');
    }

    if (document.readyState === 'loading') {
        document.addEventListener('DOMContentLoaded', start);
    } else {
        start();
    }
}());
