cd /d "/fuzz/gone/"
if errorlevel 1 exit /b 1
rename "a" "b"
cd ..
rename "c" "d"