// The dialogs the browser tests type, as a user sets them up in the editor.
// buttons: option 5..10 (OKのみ … 再試行、キャンセル); icon: option 0..3.
export const SAVE_CONFIRM = {
    name: 'はい、いいえ、キャンセル with follow-ups',
    followUps: true, buttons: 8, icon: 1,
    title: '保存の確認',
    body: '変更を保存しますか？\nFile "report.txt" was changed.',
    slots: ['保存しました。', '保存しませんでした。', '取り消しました。'],
    defaultButton: 1,
};

export const LOW_DISK = {
    name: 'OKのみ, right-aligned',
    buttons: 5, icon: 2, right: true,
    title: '注意',
    body: 'ディスクの空きが少なくなっています。\n不要なファイルを削除してください。',
};

export const RETRY = {
    name: '再試行、キャンセル, second follow-up off',
    followUps: true, buttons: 10, icon: 0,
    title: '接続エラー',
    body: 'サーバーに接続できません。<b>&"\'',
    slots: ['もう一度試します。', 'やめました。'],
    slotChecks: [true, false],
};

export const ABORT = {
    name: '中止、再試行、無視 with information icon',
    followUps: true, buttons: 7, icon: 3,
    title: 'コピー',
    body: 'ファイルをコピーできませんでした。',
    slots: ['中止しました。', '再試行します。', '無視しました。'],
    defaultButton: 2,
};
