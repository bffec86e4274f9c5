-- Placeholder: a compiled AppleScript goes here. Script Editor saves the
-- real file in its binary form; this text stands in for it.
tell application "Adobe Illustrator" to activate
