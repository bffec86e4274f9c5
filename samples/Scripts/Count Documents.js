// Tells how many documents Illustrator has open.
alert("Open documents: " + app.documents.length);
