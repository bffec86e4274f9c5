-- Has Illustrator run the JavaScript file at the POSIX path given.
on run argv
	if (count of argv) is not 1 then error "compiled script 172 takes one path" number 2
	set scriptFile to POSIX file (item 1 of argv)
	tell application id "ART5"
		do javascript file (scriptFile as text)
	end tell
	return ""
end run
