-- Has Illustrator run the JavaScript file at the POSIX path given, and
-- returns once it has run it: a batch may take far longer than the two
-- minutes an Apple event is given by default.
on run argv
	if (count of argv) is not 1 then error "compiled script 172 takes one path" number 2
	set scriptFile to POSIX file (item 1 of argv)
	with timeout of 604800 seconds
		tell application id "ART5"
			do javascript file (scriptFile as text)
		end tell
	end timeout
	return ""
end run
