-- Brings Quillmere to the front.
on run argv
	tell application "System Events"
		set frontmost of first application process whose name is "Quillmere" to true
	end tell
	return ""
end run
