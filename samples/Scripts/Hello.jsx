// A first script: Illustrator greets you.
alert("Hello from Quillmere!");
