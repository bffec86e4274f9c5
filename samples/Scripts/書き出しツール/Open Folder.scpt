-- Placeholder for a compiled AppleScript.
tell application "Finder" to activate
