rijeci iz train dokumenata
1
2
ab 2
cd 1
rijeci iz test dokumenata
0
kategorije sa brojem dokumenata
1
x 1
train dokumenti kategorije
1
1
x
test dokumenti kategorije
0
sve rijeci
2
nig
ab 1
cd 1
