-- appleevent CLASS ID SIGNATURE: sends the activate event (class misc, ID
-- actv) to the application with that signature, only while it runs; any
-- other event, or an application that is not running, fails (exit status 1).
on run argv
	if (count of argv) is not 3 then error "appleevent takes CLASS ID SIGNATURE" number 2
	set {eventClass, eventID, signature} to argv
	-- Four-character codes differ by letter case.
	considering case
		if not (eventClass is "misc" and eventID is "actv") then error "only the activate event is sent" number 1
	end considering
	tell application "System Events"
		set isRunning to exists (first application process whose creator type is signature)
	end tell
	if not isRunning then error "application " & signature & " is not running" number 1
	tell application id signature to «event miscactv»
	return ""
end run
