#!/usr/bin/env python3
# Writes the seed files of the fuzz corpora: small dBase III tables with every
# field class, a deleted record, code-page bytes and a short header (korpus/);
# sheet texts (korpus_blatt/) and remembered import sheets (korpus_shape/).
import struct, pathlib

def tabelle(felder, saetze, geloescht=(), ldid=0x57, terminator_nach=None):
    kopf_laenge = 32 + 32 * len(felder) + 1
    satz_laenge = 1 + sum(f[2] for f in felder)
    b = bytearray(struct.pack('<BBBBIHH', 3, 121, 3, 15, len(saetze), kopf_laenge, satz_laenge))
    b += bytes(17) + bytes([ldid]) + bytes(2)
    for i, (name, typ, laenge, stellen) in enumerate(felder):
        if terminator_nach is not None and i == terminator_nach:
            b += b'\r' + bytes(31)
            continue
        b += name.encode().ljust(11, b'\0') + typ.encode() + bytes(4) + bytes([laenge, stellen]) + bytes(14)
    b += b'\r'
    for n, s in enumerate(saetze):
        b += b'*' if n in geloescht else b' '
        for (name, typ, laenge, stellen), wert in zip(felder, s):
            b += wert.ljust(laenge, b' ')[:laenge]
    b += b'\x1a'
    return bytes(b)

ordner = pathlib.Path(__file__).parent / 'korpus'
ordner.mkdir(exist_ok=True)
felder = [('NUMMER', 'C', 10, 0), ('FLAECHE', 'N', 10, 4), ('DATUM', 'D', 8, 0), ('AKTIV', 'L', 1, 0), ('NAME', 'C', 20, 0)]
saetze = [[b'17.1', b'    2.5000', b'20210315', b't', b'Stra\xe1e'],
          [b'18', b'**********', b'', b'?', b'Gr\xfcnland'],
          [b'19', b'-3.5', b'20210230', b'T', b'\x84\x94\x81']]
(ordner / 'arten.dbf').write_bytes(tabelle(felder, saetze, geloescht=(1,)))
(ordner / 'dos.dbf').write_bytes(tabelle(felder, saetze, ldid=0x02))
(ordner / 'endzeichen.dbf').write_bytes(tabelle(felder[:2], [s[:2] for s in saetze], terminator_nach=1))
(ordner / 'leer.dbf').write_bytes(tabelle(felder, []))
(ordner / 'kurz.dbf').write_bytes(tabelle(felder, saetze)[:80])

# Seeds of the sheet's TXT, CSV and clipboard readers. The last byte chooses
# the reader (+0 TXT, +1 CSV, +2 clipboard as UTF-8, +3 clipboard as UTF-16)
# and the round trip's format (+0 TXT, +4 CSV, +8 clipboard) and is not part
# of the text. Windows-1252, UTF-8 with a byte-order mark, quotes,
# separators, CR LF, LF and CR alone, empty, a very long line, the column limit.
ordner = pathlib.Path(__file__).parent / 'korpus_blatt'
ordner.mkdir(exist_ok=True)
def cp(t): return t.encode('cp1252')
def blatt(name, inhalt, format=None):
    leser = {'.txt': 0, '.csv': 1, '.clip': 2, '.utf16': 3}[pathlib.Path(name).suffix]
    if format is None: format = min(leser, 2)
    (ordner / name).write_bytes(inhalt + bytes([leser + 4 * format]))
blatt('windows1252.txt', cp('Parzelle\tName\tGröße\r\n1\tAm Weg\t2,5\r\n\r\n3\t\tSpät € „x“\r\n'))
blatt('utf8_bom.txt', b'\xef\xbb\xbf' + 'Schlag\tFläche\r\nÄcker\t1,5\r\nna\u00efve\t\u0141\r\n'.encode())
blatt('nur_cr.txt', b'a\rb\tc\r\r\n\x81\x8d\x8f\x90\x9d\xa0x\xa0\x85')
blatt('leer.txt', b'')
blatt('lange_zeile.txt', cp('Düngung ' * 120))
blatt('spalten.txt', b'\t'.join(str(s).encode() for s in range(1, 301)) + b'\r\n')
blatt('zitate.csv', cp('a;"b;c";"d""e"\r\n"x\r\ny";z\r\n"ab"cd;e\r\nq"r;"offen\n'))
blatt('leere_zellen.csv', cp(';;c\n\nd;\t tab ;  blank  \n;"";""""\r\n'))
blatt('unbeendet.csv', cp('a;"ohne Ende;\r\nnoch drin'))
blatt('windows1252.csv', cp('Schlag;Größe;Kultur\r\n"Am Weg; Süd";2,5;"Winter""weizen"\r\n'))
blatt('zitate_als_txt.csv', cp('"a\tb";"x\r\ny";"q""r"\r\n'), format=0)
blatt('zitate_zur_zwischenablage.csv', cp('"a\tb";"x\r\ny";"q""r"\r\n'), format=2)
blatt('zwischenablage.clip', '\ufeffnaïve »x«\t\u00a0b\u00a0\r\n\u20ac\t\U0001f33e\tŁ\r\n'.encode())
blatt('zwischenablage_als_csv.clip', '»a«;"b"\tï\r\n'.encode(), format=1)
blatt('zwischenablage.utf16', '\ufeffnaïve »x«\tb\r\n\u20ac\t\ud83c\t\udf3e\r\n'.encode('utf-16-le', 'surrogatepass'))

# Seeds of the reader of the remembered import sheet: head rows and parcel
# rows out to the hidden columns, Windows-1252 or UTF-8 behind a byte-order
# mark, too many columns, empty.
ordner = pathlib.Path(__file__).parent / 'korpus_shape'
ordner.mkdir(exist_ok=True)
def zeile(zellen): return '\t'.join(zellen) + '\r\n'
kopf = zeile(['Parzelle', 'Feldblock', 'Schlag-Nr', 'Schlagname', 'Größe']) + zeile(['', '', '', '', 'ha'])
parzelle = ['1', 'DESTLI0512345678', '', 'Am Weg', '12,34', 'Winterweizen', 'Winterweizen A', '', 'ohne', 'x'] \
    + [''] * 3 + ['1', '', '', '90'] + [''] * 116 + ['115', '11501', '', '14']
(ordner / 'windows1252.txt').write_bytes(cp(kopf + zeile(parzelle) + zeile(['2', '', '', 'Spätfeld'])))
(ordner / 'utf8_bom.txt').write_bytes(b'\xef\xbb\xbf' + (kopf + zeile(['3', '', '', 'Łąka'])).encode())
(ordner / 'zu_breit.txt').write_bytes(cp(zeile(['1'] + [''] * 256 + ['x'])))
(ordner / 'nur_lf.txt').write_bytes(b'a\tb\n\nc\xef\xbb\xbf\n\t\t\n')
(ordner / 'leer.txt').write_bytes(b'')
