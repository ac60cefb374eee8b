cd /fuzz/sub/
ren a b
cd "/fuzz/missing" || exit /b 1
rename "a" "b"
