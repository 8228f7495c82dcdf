// The script files the checkers in tools/ read: every file named on the
// command line, and below each folder named there the files ending in
// `extension` (any case), in name order.
import { readdirSync, statSync } from 'node:fs';
import { join } from 'node:path';

export function collectScripts(path, extension, found) {
    if (statSync(path).isDirectory()) {
        for (const entry of readdirSync(path).sort()) {
            const child = join(path, entry);
            if (statSync(child).isDirectory() || entry.toLowerCase().endsWith(extension)) {
                collectScripts(child, extension, found);
            }
        }
    } else {
        found.push(path);
    }
}
