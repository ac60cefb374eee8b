cd /d "/fuzz/"
if errorlevel 1 exit /b 1
/f
rename "a b.txt" "c%%d.txt"
rename "x" "y"
