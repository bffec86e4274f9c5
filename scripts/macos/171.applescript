-- Runs the AppleScript file at the POSIX path given.
on run argv
	if (count of argv) is not 1 then error "compiled script 171 takes one path" number 2
	run script (POSIX file (item 1 of argv))
	return ""
end run
