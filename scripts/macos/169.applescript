-- The frontmost application's name. Every Illustrator release answers
-- "Illustrator", whatever its own name ("Adobe Illustrator CS3", ...).
on run argv
	tell application "System Events"
		set frontProcess to first application process whose frontmost is true
		set processName to name of frontProcess
		try
			set creatorCode to creator type of frontProcess
		on error
			set creatorCode to ""
		end try
	end tell
	if creatorCode is "ART5" or processName starts with "Adobe Illustrator" then
		return "Illustrator"
	end if
	return processName
end run
