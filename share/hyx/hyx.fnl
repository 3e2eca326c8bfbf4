# Font list: a font name, blanks, then its description. A description that begins
# with "#" is a device font (an X font name; a number in braces is replaced by a size
# scaled from the text height); any other is a stroke-font file in the database.
modern          modern.fnt
roman           modern.fnt
simplex         modern.fnt
fixed           #fixed
helvetica       #-adobe-helvetica-medium-r-normal--{14}-*-*-*-*-*-iso8859-1
helvetica-bold  #-adobe-helvetica-bold-r-normal--{14}-*-*-*-*-*-iso8859-1
times           #-adobe-times-medium-r-normal--{14}-*-*-*-*-*-iso8859-1
courier         #-adobe-courier-medium-r-normal--{14}-*-*-*-*-*-iso8859-1
