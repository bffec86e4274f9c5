// Would save the active document as PDF; here it only says so.
alert("Export PDF");
