-- Illustrator's version text, read without starting Illustrator; empty when
-- it is not installed.
on run argv
	try
		return version of application id "ART5"
	on error
		return ""
	end try
end run
