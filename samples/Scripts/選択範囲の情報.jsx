// 選択しているオブジェクトの数を表示します。
if (app.documents.length > 0) {
    alert("選択しているオブジェクト: " + app.activeDocument.selection.length);
} else {
    alert("ドキュメントが開かれていません。");
}
