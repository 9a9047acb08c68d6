REM ホルネ：測った距離から敷地の外形を作図
REM #jww
REM #cd
REM #zz
REM #zw
REM #zc
REM #gn
REM #e
@echo off
start /w horune.exe
